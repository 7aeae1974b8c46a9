#pragma once

#include "output/FrameOutput.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Art-Net 4: datagrams to and from UDP port 6454, each starting with the ID "Art-Net" and an
// OpCode. A port-address (0 to 32767) names a universe: Net in bits 14 to 8, Sub-Net in bits 7 to
// 4, Universe in bits 3 to 0.
inline constexpr uint16_t kArtNetPort = 6454;
inline constexpr uint16_t kOpDmx = 0x5000;
inline constexpr size_t kArtDmxPacketLength = 530;
using ArtDmxPacket = std::array<uint8_t, kArtDmxPacketLength>;

// One ArtDmx packet (protocol version 14) with channels 1 to 512 of frame for portAddress (only
// its 15 bits are used), from physical port 0. ArtDmx has no start code: it carries frames of
// start code 0 only, which the caller sees to.
ArtDmxPacket artDmxPacket(uint16_t portAddress, uint8_t sequence, const DmxFrame& frame);

// The OpCode of an Art-Net packet; none for a datagram too short or without the ID.
std::optional<uint16_t> artNetOpCode(std::span<const uint8_t> packet);

// ArtPoll: a controller asks the nodes on the network to answer with an ArtPollReply.
inline constexpr uint16_t kOpPoll = 0x2000;
inline constexpr size_t kArtPollLength = 14;
using ArtPollPacket = std::array<uint8_t, kArtPollLength>;

// One ArtPoll (protocol version 14) that asks every node to answer once, with no diagnostics.
ArtPollPacket artPollPacket();

// What an ArtPoll asks for: in targeted mode, answers only from devices with a port-address from
// targetBottom to targetTop.
struct ArtPollRequest
{
    bool targeted = false;
    uint16_t targetTop = 0;
    uint16_t targetBottom = 0;

    // Whether a device of that port-address is to answer.
    bool Asks(uint16_t portAddress) const
    {
        return !targeted || (portAddress >= targetBottom && portAddress <= targetTop);
    }
};

// The ArtPoll in packet, of either length (14 bytes; 18 or more with the targeted range); none
// for any other packet.
std::optional<ArtPollRequest> parseArtPoll(std::span<const uint8_t> packet);

// ArtPollReply: a device's answer, naming itself and its ports.
inline constexpr uint16_t kOpPollReply = 0x2100;
inline constexpr size_t kArtPollReplyLength = 239;
using ArtPollReplyPacket = std::array<uint8_t, kArtPollReplyLength>;

// This console as it answers an ArtPoll: a controller whose one input port puts portAddress onto
// the network. Names are ASCII, cut to fit their fields with a NUL left at the end.
struct ArtNetController
{
    uint32_t address = 0;
    uint16_t portAddress = 0;
    std::string shortName;  // up to 17 characters
    std::string longName;   // up to 63
    std::string nodeReport; // up to 63: "#0001 [count] text"
    bool sending = false;   // whether data is going out on the port
};

ArtPollReplyPacket artPollReplyPacket(const ArtNetController& controller);

// What a node says of itself in an ArtPollReply: its address, its short name and the
// port-addresses of its output ports, which take data from the network. bindIndex tells apart the
// replies of one device with more than four ports.
struct ArtNetNodeReply
{
    uint32_t address = 0;
    uint8_t bindIndex = 0;
    std::string shortName;
    std::vector<uint16_t> outputs;
};

// The ArtPollReply in packet (207 bytes or more, as older devices send); none for any other
// packet.
std::optional<ArtNetNodeReply> parseArtPollReply(std::span<const uint8_t> packet);
