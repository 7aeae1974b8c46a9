#include "PosixDatagramSocket.h"

#include "net/Ipv4Address.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

OpenFailure::Cause causeOf(int error)
{
    switch (error) {
    case ENETUNREACH:
    case EHOSTUNREACH:
    case ENETDOWN:
    case EADDRNOTAVAIL:
        return OpenFailure::Cause::NoNetwork;
    case EACCES:
    case EPERM:
        return OpenFailure::Cause::SendRefused;
    default:
        return OpenFailure::Cause::SystemError;
    }
}

// Broadcast destinations need SO_BROADCAST. Connecting a UDP socket sends nothing, but the
// system looks up the route and checks its rules, so a missing network or a refusal shows here.
// Multicast keeps the system's time-to-live (1: the local network, where the receivers are) and
// its loopback (on: a receiver on this machine, such as a visualiser, gets the data too).
bool connectTo(int fd, const Ipv4Endpoint& destination)
{
    const int on = 1;
    if (::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0)
        return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(destination.port);
    to.sin_addr.s_addr = htonl(destination.address);
    return ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0;
}

} // namespace

DatagramSocket& platformDatagramSocket()
{
    static PosixDatagramSocket socket;
    return socket;
}

PosixDatagramSocket::~PosixDatagramSocket()
{
    close();
}

bool PosixDatagramSocket::open(const Ipv4Endpoint& destination)
{
    if (m_fd >= 0) {
        m_failure = {OpenFailure::Cause::SystemError, endpointText(destination),
                     "the socket is open already"};
        return false;
    }
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || !connectTo(fd, destination)) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        m_failure = {causeOf(error), endpointText(destination), std::strerror(error)};
        return false;
    }
    m_fd = fd;
    m_failure = {};
    return true;
}

bool PosixDatagramSocket::send(std::span<const uint8_t> datagram)
{
    // A send that does not wait is not interrupted by a signal; while closed, it fails (EBADF).
    // A unicast receiver that is not listening answers a datagram with a port-unreachable
    // message, which the system hands to the next send on this socket as ECONNREFUSED instead
    // of sending it. That next datagram is sent again, once: otherwise every other frame would
    // be lost and the failure reported and cleared at the frame rate.
    const auto sendOnce = [&] {
        return ::send(m_fd, datagram.data(), datagram.size(), MSG_DONTWAIT);
    };
    ssize_t sent = sendOnce();
    if (sent < 0 && errno == ECONNREFUSED)
        sent = sendOnce();
    // A datagram goes whole or not at all.
    if (sent < 0) {
        m_sendFailure = std::strerror(errno);
        return false;
    }
    return true;
}

void PosixDatagramSocket::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
