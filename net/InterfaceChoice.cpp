#include "InterfaceChoice.h"

#include "Ipv4Address.h"

#include <algorithm>
#include <iterator>
#include <set>

namespace {

using Interfaces = std::vector<NetworkInterface>;
using Cause = OpenFailure::Cause;

// Among the addresses of one interface, the one on destination's network, else the first.
NetworkInterface addressFor(const Interfaces& addresses, uint32_t destination)
{
    const auto onNetwork = std::ranges::find_if(
        addresses, [&](const NetworkInterface& entry) { return entry.holds(destination); });
    return onNetwork != addresses.end() ? *onNetwork : addresses.front();
}

Interfaces keep(const Interfaces& interfaces, auto predicate)
{
    Interfaces kept;
    std::ranges::copy_if(interfaces, std::back_inserter(kept), predicate);
    return kept;
}

InterfaceChoice chooseWanted(const Interfaces& interfaces, std::string_view wanted,
                             uint32_t destination)
{
    const std::optional<uint32_t> address = destinationAddress(wanted, 0);
    Interfaces named = keep(interfaces, [&](const NetworkInterface& entry) {
        return entry.name == wanted || (address && entry.address == *address);
    });
    if (named.empty())
        return {std::nullopt,
                {Cause::InterfaceGone, std::string(wanted), upInterfacesText(interfaces)}};
    // By an address, only that address; by the name, whichever of its addresses fits best.
    if (address && named.front().name != wanted)
        named.resize(1);
    const Interfaces up = keep(named, &NetworkInterface::up);
    if (up.empty())
        return {std::nullopt,
                {Cause::InterfaceDown, std::string(wanted), upInterfacesText(interfaces)}};
    return {addressFor(up, destination), {}};
}

InterfaceChoice chooseAutomatically(const Interfaces& interfaces, const Ipv4Endpoint& destination,
                                    const std::function<Route(uint32_t address)>& route)
{
    const Interfaces up = keep(interfaces, &NetworkInterface::up);
    const auto holder = std::ranges::find_if(
        up, [&](const NetworkInterface& entry) { return entry.holds(destination.address); });
    if (holder != up.end())
        return {*holder, {}};
    std::set<std::string> outside;
    for (const NetworkInterface& entry : up) {
        if (!entry.loopback)
            outside.insert(entry.name);
    }
    if (outside.size() == 1) {
        return {
            addressFor(keep(up, [&](const auto& entry) { return entry.name == *outside.begin(); }),
                       destination.address),
            {}};
    }
    const Route routed = route(destination.address);
    if (!routed.from) {
        const std::string where = endpointText(destination);
        if (outside.size() > 1)
            return {std::nullopt, {Cause::InterfaceUnclear, where, upInterfacesText(interfaces)}};
        return {std::nullopt, {Cause::NoNetwork, where, routed.failure}};
    }
    const auto source = std::ranges::find(up, *routed.from, &NetworkInterface::address);
    if (source != up.end())
        return {*source, {}};
    // An address the list lacks: its network is unknown, and the routes keep deciding.
    return {
        NetworkInterface{.name = addressText(*routed.from), .address = *routed.from, .up = true},
        {}};
}

} // namespace

InterfaceChoice chooseInterface(const std::vector<NetworkInterface>& interfaces,
                                std::string_view wanted, const Ipv4Endpoint& destination,
                                const std::function<Route(uint32_t address)>& route)
{
    return wanted.empty() ? chooseAutomatically(interfaces, destination, route)
                          : chooseWanted(interfaces, wanted, destination.address);
}

std::string upInterfacesText(const std::vector<NetworkInterface>& interfaces)
{
    std::string text;
    for (const NetworkInterface& entry : interfaces) {
        if (!entry.up)
            continue;
        if (!text.empty())
            text += ", ";
        text += entry.name + ' ' + addressText(entry.address);
    }
    return text;
}
