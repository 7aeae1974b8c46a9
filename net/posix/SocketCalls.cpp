#include "net/SocketCalls.h"

#include "base/SystemErrorText.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

SocketError errorOf(int error)
{
    SocketError::Kind kind = SocketError::Kind::Other;
    switch (error) {
    case ENETUNREACH:
    case EHOSTUNREACH:
    case ENETDOWN:
    case EADDRNOTAVAIL:
    case ENODEV:
        kind = SocketError::Kind::NoNetwork;
        break;
    case EACCES:
    case EPERM:
        kind = SocketError::Kind::Refused;
        break;
    case ECONNREFUSED:
        kind = SocketError::Kind::PortUnreachable;
        break;
    case EAGAIN:
        kind = SocketError::Kind::NothingWaiting;
        break;
    }
    return {kind, systemErrorText(static_cast<unsigned long>(error))};
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
bool keepToInterface(int fd, unsigned index, uint32_t address)
{
    // Unicast and broadcast keep to the interface of the index (given in network byte order, as
    // on Windows), multicast to the interface of the address.
    const uint32_t networkIndex = htonl(index);
    const in_addr multicastFrom{htonl(address)};
    return ::setsockopt(fd, IPPROTO_IP, IP_UNICAST_IF, &networkIndex, sizeof networkIndex) == 0 &&
           ::setsockopt(fd, IPPROTO_IP, IP_MULTICAST_IF, &multicastFrom, sizeof multicastFrom) == 0;
}

} // namespace

SocketHandle openSocket(const Ipv4Endpoint& local, unsigned interfaceIndex,
                        uint32_t interfaceAddress, SocketError& error)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        error = errorOf(errno);
        return kNoSocket;
    }
    const int on = 1;
    const sockaddr_in at = socketAddress(local);
    const bool named = local.address != 0 || local.port != 0;
    if (::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0 ||
        (interfaceIndex != 0 && !keepToInterface(fd, interfaceIndex, interfaceAddress)) ||
        (local.port != 0 && ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0) ||
        (named && ::bind(fd, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0)) {
        error = errorOf(errno);
        ::close(fd);
        return kNoSocket;
    }
    return fd;
}

SocketError connectOnce(SocketHandle socket, const Ipv4Endpoint& to)
{
    const sockaddr_in address = socketAddress(to);
    if (::connect(static_cast<int>(socket), reinterpret_cast<const sockaddr*>(&address),
                  sizeof address) != 0)
        return errorOf(errno);
    return {};
}

SocketError localEndpoint(SocketHandle socket, Ipv4Endpoint& local)
{
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (::getsockname(static_cast<int>(socket), reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return errorOf(errno);
    local = {ntohl(address.sin_addr.s_addr), ntohs(address.sin_port)};
    return {};
}

SocketError sendOnce(SocketHandle socket, std::span<const uint8_t> datagram, const Ipv4Endpoint& to)
{
    // A send that does not wait is not interrupted by a signal; a datagram goes whole or not at
    // all.
    const sockaddr_in address = socketAddress(to);
    if (::sendto(static_cast<int>(socket), datagram.data(), datagram.size(), MSG_DONTWAIT,
                 reinterpret_cast<const sockaddr*>(&address), sizeof address) < 0)
        return errorOf(errno);
    return {};
}

SocketError receiveOnce(SocketHandle socket, std::span<uint8_t> buffer, size_t& length,
                        Ipv4Endpoint& from)
{
    sockaddr_in address{};
    socklen_t size = sizeof address;
    const ssize_t n = ::recvfrom(static_cast<int>(socket), buffer.data(), buffer.size(),
                                 MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&address), &size);
    if (n < 0)
        return errorOf(errno);
    length = static_cast<size_t>(n);
    from = {ntohl(address.sin_addr.s_addr), ntohs(address.sin_port)};
    return {};
}

void closeSocket(SocketHandle socket)
{
    ::close(static_cast<int>(socket));
}
