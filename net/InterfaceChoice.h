#pragma once

#include "DatagramSocket.h"

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

// The interface that an output's datagrams to destination leave on, or why there is none.
struct InterfaceChoice
{
    std::optional<NetworkInterface> chosen;
    OpenFailure failure;
};

// Chooses among interfaces (the machine's, as machineInterfaces has them) the one that wanted
// names, by its name or one of its addresses; an interface of several addresses gives the one on
// destination's network, else its first. An empty wanted is the automatic choice, in this order:
//   - the interface that is up and whose network holds destination (127.0.0.1: the loopback);
//   - the only interface that is up, loopback aside, when there is just one: an isolated show
//     network needs no route;
//   - the one the routes send destination through (route gives the address it leaves from), as
//     for multicast and broadcast with a default route; an address the list lacks is used as it
//     is, with the routes deciding.
InterfaceChoice chooseInterface(const std::vector<NetworkInterface>& interfaces,
                                std::string_view wanted, const Ipv4Endpoint& destination,
                                const std::function<Route(uint32_t address)>& route);

// The interfaces that are up, for the operator: "eth0 10.0.0.5, eth1 2.0.0.10".
std::string upInterfacesText(const std::vector<NetworkInterface>& interfaces);
