#include "NetworkOutput.h"

#include "OutputSettings.h"
#include "dmx/Sleep.h"
#include "net/InterfaceChoice.h"
#include "net/Ipv4Address.h"

namespace {
bool isMulticast(uint32_t address)
{
    return address >> 28 == 0xE;
}

bool isBlank(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

// The log's line for an interface that could not be chosen.
std::string interfaceWarning(const OpenFailure& failure)
{
    const std::string up = " (up: " + failure.reason + ")";
    switch (failure.cause) {
    case OpenFailure::Cause::InterfaceGone:
        return "no interface \"" + failure.device + "\"" + up;
    case OpenFailure::Cause::InterfaceDown:
        return "interface \"" + failure.device + "\" is down" + up;
    case OpenFailure::Cause::InterfaceUnclear:
        return "no route to " + failure.device + " says which interface to send from" + up;
    default:
        return "cannot send to " + failure.device + ": " + failure.reason;
    }
}
} // namespace

NetworkOutput::NetworkOutput(DatagramSocket& socket, OutputKind kind, const char* universeName,
                             uint16_t port)
    : m_socket(socket), m_kind(outputKindRow(kind)), m_universeName(universeName), m_port(port)
{}

NetworkOutput::~NetworkOutput()
{
    NetworkOutput::Close();
}

bool NetworkOutput::Open(const OutputSettings& settings)
{
    Close();
    const int universe = settings.universe;
    if (universe < m_kind.firstUniverse || universe > m_kind.lastUniverse) {
        const std::string number = std::to_string(universe);
        return Refuse({OpenFailure::Cause::UniverseOutOfRange, {}, number},
                      m_universeName + (" " + number) + " is outside " +
                          std::to_string(m_kind.firstUniverse) + " to " +
                          std::to_string(m_kind.lastUniverse));
    }
    m_universe = static_cast<uint16_t>(universe);
    const auto address = destinationAddress(settings.address, DefaultDestination(m_universe));
    if (!address)
        return Refuse({OpenFailure::Cause::NotIpv4Address, {}, settings.address},
                      "\"" + settings.address + "\" is not an IPv4 address");
    if (!canBeDestination(*address))
        return Refuse({OpenFailure::Cause::NotADestination, {}, settings.address},
                      addressText(*address) + " cannot be sent to");
    m_addressTyped = !isBlank(settings.address);

    const InterfaceChoice choice =
        chooseInterface(m_socket.interfaces(), settings.networkInterface, {*address, m_port},
                        [this](uint32_t to) { return m_socket.routeTo(to); });
    if (!choice.chosen)
        return Refuse(choice.failure, interfaceWarning(choice.failure));
    m_interface = *choice.chosen;
    m_destination = {*address == kBroadcast ? m_interface.broadcast() : *address, m_port};

    bool listening = false;
    if (!OpenSocket(listening)) {
        const OpenFailure& failure = m_socket.openFailure();
        return Refuse(failure, "cannot send to " + failure.device + ": " + failure.reason);
    }
    m_open = true;
    m_sends.Reset();
    m_repeats.Reset();
    m_lastFrame.reset();
    m_failure = {};
    const std::string number = std::to_string(m_universe);
    writeLog(LogCategory::Network, LogLevel::Info,
             m_universeName + (" " + number) + " goes to " + endpointText(m_destination) +
                 " from " + m_interface.name + " (" + addressText(m_interface.address) + ")");
    Opened(steadyNow(), listening);
    return true;
}

bool NetworkOutput::OpenSocket(bool& listening)
{
    const SocketSetup setup{
        m_destination, {m_interface.address, 0}, m_interface.index, m_interface.address};
    const uint16_t port = ListeningPort();
    if (port == 0)
        return m_socket.open(setup);
    // Listening takes datagrams to the port from the whole network, broadcasts among them, which
    // a socket bound to the interface's address alone would not see on every system.
    SocketSetup listen = setup;
    listen.local = {0, port};
    listening = m_socket.open(listen);
    if (listening)
        return true;
    const std::string refusal = m_socket.openFailure().reason;
    if (!m_socket.open(setup))
        return false;
    writeLog(LogCategory::Network, LogLevel::Warning,
             "cannot listen at UDP port " + std::to_string(port) + " (" + refusal +
                 "): sending without looking for receivers or answering them");
    return true;
}

bool NetworkOutput::Refuse(const OpenFailure& failure, const std::string& warning)
{
    m_failure = failure;
    writeLog(LogCategory::Network, LogLevel::Warning, warning);
    return false;
}

void NetworkOutput::Close()
{
    if (m_open)
        m_socket.close();
    m_open = false;
}

void NetworkOutput::WriteFrame(const DmxFrame& frame)
{
    if (!m_open)
        return;
    const bool fresh = !m_lastFrame || *m_lastFrame != frame;
    if (!SendFrame(frame))
        return;
    m_lastFrame = frame;
    m_repeats.Sent(fresh, steadyNow());
}

void NetworkOutput::Poll()
{
    if (!m_open)
        return;
    const TimePoint now = steadyNow();
    if (m_lastFrame && m_repeats.Due(now))
        SendFrame(*m_lastFrame);
    PollProtocol(now);
}

OutputStatus NetworkOutput::Status() const
{
    if (!m_open)
        return {};
    OutputStatus status;
    status.writesFailing = m_sends.Failing();
    status.networkInterface = m_interface.name;
    const bool broadcast = m_destination.address == m_interface.broadcast();
    status.recipients = broadcast                            ? Recipients::Broadcast
                        : m_addressTyped                     ? Recipients::Typed
                        : isMulticast(m_destination.address) ? Recipients::Multicast
                                                             : Recipients::Broadcast;
    return status;
}

void NetworkOutput::Send(std::span<const uint8_t> datagram, const Ipv4Endpoint& to)
{
    m_sends.Note(m_socket.send(datagram, to), endpointText(to), m_socket.sendFailure());
}
