#include "SystemDatagramSocket.h"

#include "Ipv4Address.h"

namespace {

OpenFailure::Cause causeOf(SocketError::Kind kind)
{
    switch (kind) {
    case SocketError::Kind::NoNetwork:
        return OpenFailure::Cause::NoNetwork;
    case SocketError::Kind::Refused:
        return OpenFailure::Cause::SendRefused;
    default:
        return OpenFailure::Cause::SystemError;
    }
}

// A datagram to a unicast receiver that is not listening comes back as a port-unreachable
// message, which the system may hand to the next call on the socket instead of carrying it out.
// That call is made again: otherwise every other frame would be lost, and the failure reported
// and cleared at the frame rate.
constexpr int kPortUnreachableRetries = 8;

} // namespace

DatagramSocket& platformDatagramSocket()
{
    static SystemDatagramSocket socket;
    return socket;
}

bool SystemDatagramSocket::open(const SocketSetup& setup)
{
    const std::string destination = endpointText(setup.destination);
    if (m_socket != kNoSocket) {
        m_failure = {OpenFailure::Cause::SystemError, destination, "the socket is open already"};
        return false;
    }
    // Connecting a UDP socket sends nothing, but the system looks up the route and checks its
    // rules, so a missing network or a refusal shows now rather than at the first datagram. A
    // socket of its own asks, from the same address and interface, since the one kept sends to
    // others too.
    SocketError error;
    const SocketHandle probe =
        openSocket({setup.local.address, 0}, setup.interfaceIndex, setup.interfaceAddress, error);
    if (probe != kNoSocket) {
        error = connectOnce(probe, setup.destination);
        closeSocket(probe);
    }
    if (!error)
        m_socket = openSocket(setup.local, setup.interfaceIndex, setup.interfaceAddress, error);
    m_failure = error ? OpenFailure{causeOf(error.kind), destination, error.text} : OpenFailure{};
    return m_socket != kNoSocket;
}

Route SystemDatagramSocket::routeTo(uint32_t address) const
{
    // The route a connect looks up leaves from the address the socket is then bound to.
    SocketError error;
    Ipv4Endpoint local;
    const SocketHandle probe = openSocket({}, 0, 0, error);
    if (probe != kNoSocket) {
        error = connectOnce(probe, {address, 9}); // any port: nothing is sent
        if (!error)
            error = localEndpoint(probe, local);
        closeSocket(probe);
    }
    if (error)
        return {std::nullopt, error.text};
    return {local.address, {}};
}

bool SystemDatagramSocket::send(std::span<const uint8_t> datagram, const Ipv4Endpoint& to)
{
    // A send while closed fails as the system says of an invalid socket.
    SocketError error = sendOnce(m_socket, datagram, to);
    if (error.kind == SocketError::Kind::PortUnreachable)
        error = sendOnce(m_socket, datagram, to);
    if (error)
        m_sendFailure = error.text;
    return !error;
}

std::optional<ReceivedDatagram> SystemDatagramSocket::receive()
{
    if (m_socket == kNoSocket)
        return std::nullopt;
    for (int attempt = 0; attempt <= kPortUnreachableRetries; ++attempt) {
        size_t length = 0;
        Ipv4Endpoint from;
        const SocketError error = receiveOnce(m_socket, m_buffer, length, from);
        if (!error)
            return ReceivedDatagram{from, {m_buffer.begin(), m_buffer.begin() + length}};
        if (error.kind != SocketError::Kind::PortUnreachable)
            break;
    }
    return std::nullopt;
}

void SystemDatagramSocket::close()
{
    if (m_socket != kNoSocket)
        closeSocket(m_socket);
    m_socket = kNoSocket;
}
