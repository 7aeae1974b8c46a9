#pragma once

#include "serial/OpenFailure.h"

#include <cstdint>
#include <span>
#include <string>

// Where datagrams go: an IPv4 address (a.b.c.d as a << 24 | b << 16 | c << 8 | d) and a UDP port.
struct Ipv4Endpoint
{
    uint32_t address = 0;
    uint16_t port = 0;

    bool operator==(const Ipv4Endpoint&) const = default;
};

// A UDP socket that sends datagrams to one destination, as the network outputs use it. The
// destination may be a unicast, multicast or broadcast address; datagrams leave on the interface
// the system chooses for it (for multicast and broadcast, that of the default route).
class DatagramSocket
{
public:
    virtual ~DatagramSocket() = default;

    // Opens a socket towards destination. Finds out at once whether the system can send there at
    // all (no network, no route, a refusal) rather than at the first datagram. Refuses while the
    // socket is open already.
    virtual bool open(const Ipv4Endpoint& destination) = 0;
    // Sends one datagram whole, without waiting for room: false when it did not go out.
    virtual bool send(std::span<const uint8_t> datagram) = 0;
    virtual void close() = 0;
    // Why the last open failed.
    virtual const OpenFailure& openFailure() const = 0;
    // Why the last send failed, in the system's words.
    virtual const std::string& sendFailure() const = 0;
};

// The datagram socket of the platform this program runs on.
DatagramSocket& platformDatagramSocket();
