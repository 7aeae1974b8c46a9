#include "DatagramLink.h"

#include "net/Ipv4Address.h"
#include "net/Warnings.h"

bool DatagramLink::open(const std::string& address, uint32_t defaultAddress, uint16_t port)
{
    const auto resolved = destinationAddress(address, defaultAddress);
    if (!resolved)
        return refuse({OpenFailure::Cause::NotIpv4Address, {}, address},
                      "\"" + address + "\" is not an IPv4 address");
    const Ipv4Endpoint destination{*resolved, port};
    if (!m_socket.open(destination)) {
        const OpenFailure& failure = m_socket.openFailure();
        return refuse(failure, "cannot send to " + failure.device + ": " + failure.reason);
    }
    m_open = true;
    m_failing = false;
    m_destination = endpointText(destination);
    m_failure = {};
    return true;
}

bool DatagramLink::refuseOutside(const std::string& what, int universe, int first, int last)
{
    if (universe >= first && universe <= last)
        return false;
    const std::string number = std::to_string(universe);
    return !refuse({OpenFailure::Cause::UniverseOutOfRange, {}, number},
                   what + " " + number + " is outside " + std::to_string(first) + " to " +
                       std::to_string(last));
}

bool DatagramLink::refuse(const OpenFailure& failure, const std::string& warning)
{
    m_failure = failure;
    emitNetworkWarning(warning);
    return false;
}

void DatagramLink::close()
{
    if (m_open)
        m_socket.close();
    m_open = false;
}

void DatagramLink::send(std::span<const uint8_t> datagram)
{
    const bool sent = m_socket.send(datagram);
    if (!sent && !m_failing)
        emitNetworkWarning("cannot send to " + m_destination + ": " + m_socket.sendFailure() +
                           "; frames are lost until sending works again");
    else if (sent && m_failing)
        emitNetworkWarning("sending to " + m_destination + " works again");
    m_failing = !sent;
}
