#pragma once

#include "NetworkInterface.h"
#include "base/OpenFailure.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// An IPv4 address (a.b.c.d as a << 24 | b << 16 | c << 8 | d) and a UDP port.
struct Ipv4Endpoint
{
    uint32_t address = 0;
    uint16_t port = 0;

    bool operator==(const Ipv4Endpoint&) const = default;
};

// How a socket is opened.
struct SocketSetup
{
    // Where the datagrams go: as the socket opens, the system is asked whether it can send there
    // at all (no network, no route, a refusal) rather than at the first datagram. A unicast,
    // multicast or broadcast address.
    Ipv4Endpoint destination;
    // The address (0: any) and port (0: any) the socket is bound to, which datagrams are sent from
    // and received at. A port is shared with other programs that share it too.
    Ipv4Endpoint local;
    // The interface every datagram leaves on, whatever the routes say, by the system's index and
    // its address: multicast and broadcast go out there, and so does unicast to a host the routes
    // would send elsewhere or nowhere. Index 0 leaves it to the routes.
    unsigned interfaceIndex = 0;
    uint32_t interfaceAddress = 0;
};

// What the routes say of a destination: the address of this machine a datagram there leaves
// from, or, when none would leave, the system's reason.
struct Route
{
    std::optional<uint32_t> from;
    std::string failure;
};

struct ReceivedDatagram
{
    Ipv4Endpoint from;
    std::vector<uint8_t> bytes;
};

// A UDP socket as the network outputs use it, and what they ask of the machine's network. Multicast
// keeps the system's time-to-live (1: the local network, where the receivers are) and its loopback
// (on: a receiver on this machine, such as a visualiser, gets the data too).
class DatagramSocket
{
public:
    virtual ~DatagramSocket() = default;

    // Refuses while the socket is open already.
    virtual bool open(const SocketSetup& setup) = 0;
    // Sends one datagram whole to to, without waiting for room: false when it did not go out.
    virtual bool send(std::span<const uint8_t> datagram, const Ipv4Endpoint& to) = 0;
    // The next datagram that has arrived, without waiting; none when none has.
    virtual std::optional<ReceivedDatagram> receive() = 0;
    virtual void close() = 0;
    // Why the last open failed.
    virtual const OpenFailure& openFailure() const = 0;
    // Why the last send failed, in the system's words.
    virtual const std::string& sendFailure() const = 0;

    // The machine's IPv4 interfaces now.
    virtual std::vector<NetworkInterface> interfaces() const = 0;
    // Where the routes send datagrams to address from.
    virtual Route routeTo(uint32_t address) const = 0;
};

// The datagram socket of the platform this program runs on.
DatagramSocket& platformDatagramSocket();
