#pragma once

#include "output/FrameOutput.h"

#include <cstddef>
#include <optional>
#include <span>

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
