#pragma once

// What each platform supplies to the system's datagram socket: its calls, each made once, and its
// errors sorted into what the socket's rules tell apart.

#include "DatagramSocket.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// A POSIX descriptor or a Winsock SOCKET.
using SocketHandle = std::intptr_t;
inline constexpr SocketHandle kNoSocket = -1;

struct SocketError
{
    enum class Kind
    {
        None,
        NoNetwork,       // no network, or no route to the destination
        Refused,         // the system will not send there (a firewall, a broadcast not allowed)
        PortUnreachable, // a receiver's answer to an earlier datagram, handed on instead of sending
        NothingWaiting,  // no datagram has arrived
        Other,
    };

    Kind kind = Kind::None;
    std::string text; // the system's own words

    explicit operator bool() const { return kind != Kind::None; }
};

// A socket that does not block and can broadcast, kept to the interface of interfaceIndex (and
// interfaceAddress) unless that is 0, then bound to local where it names an address or a port
// (the port shared); kNoSocket with error set otherwise. The interface comes before the bind:
// where binding to an address ties a socket to that address's interface (wine does so), the
// system refuses to name the interface afterwards.
SocketHandle openSocket(const Ipv4Endpoint& local, unsigned interfaceIndex,
                        uint32_t interfaceAddress, SocketError& error);
// Makes to the socket's only peer, which asks the system for the route there.
SocketError connectOnce(SocketHandle socket, const Ipv4Endpoint& to);
// The address and port the socket sends from: after connectOnce, the address of the route's
// interface.
SocketError localEndpoint(SocketHandle socket, Ipv4Endpoint& local);
SocketError sendOnce(SocketHandle socket, std::span<const uint8_t> datagram,
                     const Ipv4Endpoint& to);
// One datagram into buffer, cut to its size; length is how much of it was filled.
SocketError receiveOnce(SocketHandle socket, std::span<uint8_t> buffer, size_t& length,
                        Ipv4Endpoint& from);
void closeSocket(SocketHandle socket);
