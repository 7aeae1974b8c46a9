#pragma once

#include "NameBasedUuid.h"
#include "output/FrameOutput.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

// E1.31 (streaming ACN, sACN): one universe's frame per UDP datagram to port 5568.
inline constexpr uint16_t kSacnPort = 5568;
// Where sources announce the universes they send: universe 64214's group, 239.255.250.214.
inline constexpr uint32_t kSacnDiscoveryGroup = 0xEFFFFAD6;
inline constexpr size_t kSacnUniversesPerDiscoveryPage = 512;
inline constexpr size_t kSacnPacketLength = 638;
using SacnPacket = std::array<uint8_t, kSacnPacketLength>;

// Who sends: the component id that receivers tell sources apart by, and the name they show.
struct SacnSource
{
    Uuid cid{};
    std::string name; // UTF-8
};

enum class SacnStream
{
    Live,
    Terminated, // the last packets of the stream: receivers release the universe at once
};

// One E1.31 data packet: the root layer (identifier, the source's CID), the framing layer (the
// source's name, priority 100, no synchronisation, sequence, the stream's end, universe) and the
// DMP layer with the frame's 513 slots, start code first. The name takes at most 63 bytes of
// the 64-byte field, cut between characters, the rest zeros.
SacnPacket sacnDataPacket(const SacnSource& source, uint16_t universe, uint8_t sequence,
                          SacnStream stream, const DmxFrame& frame);

// One universe discovery packet, page 0 of 0: the root layer (the source's CID), the framing layer
// (the source's name, as in a data packet) and the list of universes, in ascending order, that
// the source sends. Universes beyond a page's 512 are left out.
std::vector<uint8_t> sacnDiscoveryPacket(const SacnSource& source,
                                         std::span<const uint16_t> universes);
