#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One IPv4 address of one of this machine's network interfaces. An interface with several
// addresses appears once for each.
struct NetworkInterface
{
    std::string name;     // as the system shows it to the operator: "eth1", "Ethernet 2"; UTF-8
    uint32_t address = 0; // a.b.c.d as a << 24 | b << 16 | c << 8 | d
    uint32_t netmask = 0;
    unsigned index = 0; // the system's number of the interface; 0 where it gave none
    bool up = false;    // switched on and connected to a network
    bool loopback = false;

    // Whether other lies on this address's network.
    bool holds(uint32_t other) const { return ((other ^ address) & netmask) == 0; }
    // The network's directed broadcast, which reaches every host on it.
    uint32_t broadcast() const { return address | ~netmask; }

    bool operator==(const NetworkInterface&) const = default;
};

// The IPv4 addresses of this machine's interfaces now, in the system's order; empty when the
// system does not say.
std::vector<NetworkInterface> machineInterfaces();
