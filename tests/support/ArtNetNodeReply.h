#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// What an Art-Net node at address, named name, with one output port of portAddress sends in
// answer to a poll: an ArtPollReply as Art-Net 4 lays it out, the fields not named here zero.
inline std::vector<uint8_t> nodePollReply(uint32_t address, const std::string& name,
                                          uint16_t portAddress)
{
    std::vector<uint8_t> reply(239, 0);
    std::ranges::copy(std::string("Art-Net"), reply.begin()); // ID, NUL-terminated
    reply[9] = 0x21;                                          // OpCode 0x2100, low byte first
    for (int i = 0; i < 4; ++i)                               // IP address
        reply[10 + static_cast<size_t>(i)] = static_cast<uint8_t>(address >> (24 - 8 * i));
    reply[18] = static_cast<uint8_t>(portAddress >> 8);        // NetSwitch
    reply[19] = static_cast<uint8_t>(portAddress >> 4 & 0x0F); // SubSwitch
    std::ranges::copy(name.substr(0, 17), reply.begin() + 26); // ShortName
    reply[173] = 1;                                            // NumPorts
    reply[174] = 0x80;                                         // PortTypes: port 1 outputs DMX
    reply[190] = static_cast<uint8_t>(portAddress & 0x0F);     // SwOut of port 1
    return reply;
}
