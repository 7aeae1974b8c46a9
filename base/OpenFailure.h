#pragma once

#include <string>

// Why an output could not be opened, a serial port or a network destination, in terms the
// operator can act on.
struct OpenFailure
{
    enum class Cause
    {
        None,
        NoSuchPort,       // the machine has no port of that number
        PermissionDenied, // the system refused this user the device
        InUse,            // another program holds the device
        SettingsRefused,  // the device cannot take the line settings, its rate among them
        InvalidRate,      // a rate of 0 baud
        SystemError,      // any other refusal
        // The network outputs: device names the destination ("239.255.0.1:5568") where known.
        NoNetwork,          // no network, or no route from here to the destination
        NotIpv4Address,     // the typed destination is not a dotted IPv4 address; reason: the text
        UniverseOutOfRange, // the universe or port-address is outside its kind's range; reason: it
        SendRefused,     // the system refuses to send there (a firewall, a broadcast not allowed)
        NotADestination, // the typed address cannot be sent to (0.0.0.0); reason: the text
        // The interface to send from; device: the interface asked for, or for InterfaceUnclear
        // the destination; reason: the interfaces that are up ("eth0 10.0.0.5, eth1 2.0.0.10").
        InterfaceGone,    // the machine has no interface of that name or address
        InterfaceDown,    // the interface is switched off or not connected
        InterfaceUnclear, // several interfaces are up and no route says which leads there
    };

    Cause cause = Cause::None;
    std::string device; // the device or destination tried; empty when there was none to try
    std::string reason; // the system's own words; empty when it gave none
};
