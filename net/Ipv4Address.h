#pragma once

#include "DatagramSocket.h"

#include <optional>
#include <string>
#include <string_view>

// The destination address the operator typed, with blanks (spaces and tabs) around it ignored:
// defaultAddress when nothing else is left, else four decimal numbers 0 to 255 (at most three
// digits each, read as decimal even with leading zeros) joined by dots. Anything else, "1.2.3",
// "256.1.1.1", "1.2.3.4x", "::1", a host name, is none: only addresses that cannot be mistaken
// are taken.
std::optional<uint32_t> destinationAddress(std::string_view typed, uint32_t defaultAddress);

// Whether datagrams can go to address: not to 0.0.0.0/8, which stands for this host, nor to the
// reserved 240.0.0.0/4, save the broadcast 255.255.255.255.
bool canBeDestination(uint32_t address);

// "a.b.c.d:port", as warnings and failures name a destination; "a.b.c.d" for an address alone.
std::string endpointText(const Ipv4Endpoint& endpoint);
std::string addressText(uint32_t address);
