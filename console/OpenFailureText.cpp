#include "OpenFailureText.h"

#include "framework/FormatString.h"
#include "framework/Resources.h"
#include "res/resource.h"

namespace {
std::string portName(int portNumber)
{
    return "COM" + std::to_string(portNumber);
}

// A device named after its port (Windows' \\.\COM3) says nothing the port's name does not.
bool namedAfterPort(const std::string& device, const std::string& port)
{
    return device.ends_with(port);
}

// What the operator typed, as the box echoes it: at most kEchoed characters, so that a long text
// neither widens the box beyond the screen nor pushes the advice out of it.
std::string echoed(const std::string& typed)
{
    constexpr size_t kEchoed = 40;
    size_t characters = 0;
    for (size_t at = 0; at < typed.size(); ++at) {
        const bool starts = (static_cast<unsigned char>(typed[at]) & 0xC0) != 0x80;
        if (starts && characters++ == kEchoed)
            return typed.substr(0, at) + "…";
    }
    return typed;
}

std::string portList(const std::map<int, std::string>& ports)
{
    if (ports.empty())
        return loadString(IDS_NO_PORTS_HERE);
    std::string list;
    for (const auto& [number, device] : ports) {
        if (!list.empty())
            list += ", ";
        const std::string port = portName(number);
        list += namedAfterPort(device, port) ? port : port + " (" + device + ")";
    }
    return AfxFormatString(IDS_PORTS_HERE, {list});
}

// The interfaces that are up, or that there are none.
std::string interfaceList(const std::string& up)
{
    return up.empty() ? loadString(IDS_NO_INTERFACE_UP) : up;
}
} // namespace

std::string describeOpenFailure(int portNumber, unsigned nBaud, const OpenFailure& failure,
                                const std::map<int, std::string>& ports)
{
    const std::string port = portName(portNumber);
    const std::string& device =
        failure.device.empty() || namedAfterPort(failure.device, port) ? port : failure.device;
    switch (failure.cause) {
    case OpenFailure::Cause::NoSuchPort:
        return AfxFormatString(IDS_NO_SUCH_PORT_DETAIL, {port}) + "\n" + portList(ports);
    case OpenFailure::Cause::PermissionDenied:
        return AfxFormatString(IDS_PERMISSION_DENIED_DETAIL, {device, failure.reason});
    case OpenFailure::Cause::InUse:
        return AfxFormatString(IDS_IN_USE_DETAIL, {device});
    case OpenFailure::Cause::SettingsRefused:
        return AfxFormatString(IDS_SETTINGS_REFUSED_DETAIL, {device, std::to_string(nBaud)});
    case OpenFailure::Cause::InvalidRate:
        return loadString(IDS_INVALID_RATE_DETAIL);
    case OpenFailure::Cause::SystemError:
        return AfxFormatString(IDS_SYSTEM_ERROR_DETAIL, {device, failure.reason});
    case OpenFailure::Cause::NoNetwork:
        return AfxFormatString(IDS_NO_NETWORK_DETAIL, {failure.device, failure.reason});
    case OpenFailure::Cause::NotIpv4Address:
        return AfxFormatString(IDS_NOT_IPV4_DETAIL, {echoed(failure.reason)});
    case OpenFailure::Cause::NotADestination:
        return AfxFormatString(IDS_NOT_A_DESTINATION_DETAIL, {echoed(failure.reason)});
    case OpenFailure::Cause::InterfaceGone:
        return AfxFormatString(IDS_INTERFACE_GONE_DETAIL,
                               {echoed(failure.device), interfaceList(failure.reason)});
    case OpenFailure::Cause::InterfaceDown:
        return AfxFormatString(IDS_INTERFACE_DOWN_DETAIL, {echoed(failure.device)});
    case OpenFailure::Cause::InterfaceUnclear:
        return AfxFormatString(IDS_INTERFACE_UNCLEAR_DETAIL,
                               {failure.device, interfaceList(failure.reason)});
    case OpenFailure::Cause::UniverseOutOfRange:
        return AfxFormatString(IDS_UNIVERSE_OUT_OF_RANGE_DETAIL, {echoed(failure.reason)});
    case OpenFailure::Cause::SendRefused:
        return AfxFormatString(IDS_SEND_REFUSED_DETAIL, {failure.device, failure.reason});
    case OpenFailure::Cause::None:
        break;
    }
    return {};
}
