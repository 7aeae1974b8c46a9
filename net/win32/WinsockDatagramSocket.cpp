#include "WinsockDatagramSocket.h"

#include "net/Ipv4Address.h"
#include "serial/win32/SystemErrorText.h"

namespace {

OpenFailure::Cause causeOf(int error)
{
    switch (error) {
    case WSAENETUNREACH:
    case WSAEHOSTUNREACH:
    case WSAENETDOWN:
    case WSAEADDRNOTAVAIL:
        return OpenFailure::Cause::NoNetwork;
    case WSAEACCES:
        return OpenFailure::Cause::SendRefused;
    default:
        return OpenFailure::Cause::SystemError;
    }
}

int sendOnce(SOCKET socket, std::span<const uint8_t> datagram)
{
    return ::send(socket, reinterpret_cast<const char*>(datagram.data()),
                  static_cast<int>(datagram.size()), 0);
}

// Broadcast destinations need SO_BROADCAST; sends must never hold up the frames, so the socket
// does not block. Connecting a UDP socket sends nothing, but the system looks up the route, so a
// missing network shows here. Multicast keeps the system's time-to-live (1: the local network,
// where the receivers are) and its loopback (on: a receiver on this machine, such as a
// visualiser, gets the data too).
bool connectTo(SOCKET socket, const Ipv4Endpoint& destination)
{
    const BOOL on = TRUE;
    u_long nonBlocking = 1;
    if (setsockopt(socket, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on),
                   sizeof on) != 0 ||
        ioctlsocket(socket, FIONBIO, &nonBlocking) != 0)
        return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(destination.port);
    to.sin_addr.s_addr = htonl(destination.address);
    return connect(socket, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0;
}

} // namespace

DatagramSocket& platformDatagramSocket()
{
    static WinsockDatagramSocket socket;
    return socket;
}

WinsockDatagramSocket::~WinsockDatagramSocket()
{
    close();
}

bool WinsockDatagramSocket::open(const Ipv4Endpoint& destination)
{
    if (m_socket != INVALID_SOCKET) {
        m_failure = {OpenFailure::Cause::SystemError, endpointText(destination),
                     "the socket is open already"};
        return false;
    }
    WSADATA data;
    if (const int error = WSAStartup(MAKEWORD(2, 2), &data); error != 0) {
        m_failure = {OpenFailure::Cause::SystemError, endpointText(destination),
                     systemErrorText(static_cast<unsigned long>(error))};
        return false;
    }
    const SOCKET socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (socket == INVALID_SOCKET || !connectTo(socket, destination)) {
        const int error = WSAGetLastError();
        if (socket != INVALID_SOCKET)
            closesocket(socket);
        WSACleanup();
        m_failure = {causeOf(error), endpointText(destination),
                     systemErrorText(static_cast<unsigned long>(error))};
        return false;
    }
    m_socket = socket;
    m_failure = {};
    return true;
}

bool WinsockDatagramSocket::send(std::span<const uint8_t> datagram)
{
    // While closed, this fails (not a socket). A unicast receiver that is not listening answers a
    // datagram with a port-unreachable message, which the system may hand to the next send on this
    // socket as a refused or reset connection instead of sending it. That next datagram is sent
    // again, once: otherwise every other frame would be lost and the failure reported and cleared
    // at the frame rate.
    int sent = sendOnce(m_socket, datagram);
    if (sent == SOCKET_ERROR &&
        (WSAGetLastError() == WSAECONNREFUSED || WSAGetLastError() == WSAECONNRESET))
        sent = sendOnce(m_socket, datagram);
    // A datagram goes whole or not at all.
    if (sent == SOCKET_ERROR) {
        m_sendFailure = systemErrorText(static_cast<unsigned long>(WSAGetLastError()));
        return false;
    }
    return true;
}

void WinsockDatagramSocket::close()
{
    if (m_socket == INVALID_SOCKET)
        return;
    closesocket(m_socket);
    WSACleanup();
    m_socket = INVALID_SOCKET;
}
