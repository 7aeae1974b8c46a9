#include "net/SocketCalls.h"

#include "base/SystemErrorText.h"
#include "base/win32/WindowsApi.h"

#include <ws2tcpip.h>

namespace {

SocketError errorOf(int error)
{
    SocketError::Kind kind = SocketError::Kind::Other;
    switch (error) {
    case WSAENETUNREACH:
    case WSAEHOSTUNREACH:
    case WSAENETDOWN:
    case WSAEADDRNOTAVAIL:
        kind = SocketError::Kind::NoNetwork;
        break;
    case WSAEACCES:
        kind = SocketError::Kind::Refused;
        break;
    case WSAECONNREFUSED:
    case WSAECONNRESET:
        kind = SocketError::Kind::PortUnreachable;
        break;
    case WSAEWOULDBLOCK:
        kind = SocketError::Kind::NothingWaiting;
        break;
    }
    return {kind, systemErrorText(static_cast<unsigned long>(error))};
}

SocketError lastError()
{
    return errorOf(WSAGetLastError());
}

sockaddr_in socketAddress(const Ipv4Endpoint& endpoint)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(endpoint.port);
    address.sin_addr.s_addr = htonl(endpoint.address);
    return address;
}

// Sends the socket's datagrams out of the interface of that index and address, whatever the
// routes say.
bool keepToInterface(SOCKET socket, unsigned index, uint32_t address)
{
    // Unicast and broadcast keep to the interface of the index (in network byte order), multicast
    // to the interface of the address.
    const DWORD networkIndex = htonl(index);
    IN_ADDR multicastFrom{};
    multicastFrom.s_addr = htonl(address);
    const auto option = [&](int name, const auto& value) {
        return setsockopt(socket, IPPROTO_IP, name, reinterpret_cast<const char*>(&value),
                          sizeof value) == 0;
    };
    return option(IP_UNICAST_IF, networkIndex) && option(IP_MULTICAST_IF, multicastFrom);
}

} // namespace

// Winsock is started with each open and cleaned up with each close, so nothing of it stays behind
// while no socket is open.
SocketHandle openSocket(const Ipv4Endpoint& local, unsigned interfaceIndex,
                        uint32_t interfaceAddress, SocketError& error)
{
    WSADATA data;
    if (const int started = WSAStartup(MAKEWORD(2, 2), &data); started != 0) {
        error = errorOf(started);
        return kNoSocket;
    }
    const SOCKET socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    const BOOL on = TRUE;
    u_long nonBlocking = 1;
    const sockaddr_in at = socketAddress(local);
    const bool named = local.address != 0 || local.port != 0;
    const auto option = [&](int name) {
        return setsockopt(socket, SOL_SOCKET, name, reinterpret_cast<const char*>(&on),
                          sizeof on) == 0;
    };
    if (socket == INVALID_SOCKET || !option(SO_BROADCAST) ||
        ioctlsocket(socket, FIONBIO, &nonBlocking) != 0 ||
        (interfaceIndex != 0 && !keepToInterface(socket, interfaceIndex, interfaceAddress)) ||
        (local.port != 0 && !option(SO_REUSEADDR)) ||
        (named && bind(socket, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0)) {
        error = lastError();
        if (socket != INVALID_SOCKET)
            closesocket(socket);
        WSACleanup();
        return kNoSocket;
    }
    return static_cast<SocketHandle>(socket);
}

SocketError connectOnce(SocketHandle socket, const Ipv4Endpoint& to)
{
    const sockaddr_in address = socketAddress(to);
    if (connect(static_cast<SOCKET>(socket), reinterpret_cast<const sockaddr*>(&address),
                sizeof address) == SOCKET_ERROR)
        return lastError();
    return {};
}

SocketError localEndpoint(SocketHandle socket, Ipv4Endpoint& local)
{
    sockaddr_in address{};
    int size = sizeof address;
    if (getsockname(static_cast<SOCKET>(socket), reinterpret_cast<sockaddr*>(&address), &size) ==
        SOCKET_ERROR)
        return lastError();
    local = {ntohl(address.sin_addr.s_addr), ntohs(address.sin_port)};
    return {};
}

SocketError sendOnce(SocketHandle socket, std::span<const uint8_t> datagram, const Ipv4Endpoint& to)
{
    // A datagram goes whole or not at all.
    const sockaddr_in address = socketAddress(to);
    if (sendto(static_cast<SOCKET>(socket), reinterpret_cast<const char*>(datagram.data()),
               static_cast<int>(datagram.size()), 0, reinterpret_cast<const sockaddr*>(&address),
               sizeof address) == SOCKET_ERROR)
        return lastError();
    return {};
}

SocketError receiveOnce(SocketHandle socket, std::span<uint8_t> buffer, size_t& length,
                        Ipv4Endpoint& from)
{
    sockaddr_in address{};
    int size = sizeof address;
    const int n =
        recvfrom(static_cast<SOCKET>(socket), reinterpret_cast<char*>(buffer.data()),
                 static_cast<int>(buffer.size()), 0, reinterpret_cast<sockaddr*>(&address), &size);
    if (n == SOCKET_ERROR)
        return lastError();
    length = static_cast<size_t>(n);
    from = {ntohl(address.sin_addr.s_addr), ntohs(address.sin_port)};
    return {};
}

void closeSocket(SocketHandle socket)
{
    closesocket(static_cast<SOCKET>(socket));
    WSACleanup();
}
