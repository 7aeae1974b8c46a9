#include "ArtNetPacket.h"

#include <algorithm>

namespace {
constexpr uint8_t kId[] = {'A', 'r', 't', '-', 'N', 'e', 't', 0};
} // namespace

ArtDmxPacket artDmxPacket(uint16_t portAddress, uint8_t sequence, const DmxFrame& frame)
{
    static constexpr uint8_t kHeader[] = {
        0x00, 0x50, // OpCode OpDmx, low byte first
        0, 14,      // protocol version, high byte first
    };
    constexpr uint16_t kChannels = kFrameSlots - 1;

    ArtDmxPacket packet{};
    auto at = std::ranges::copy(kId, packet.begin()).out;
    at = std::ranges::copy(kHeader, at).out;
    *at++ = sequence;
    *at++ = 0;                                             // physical port
    *at++ = static_cast<uint8_t>(portAddress);             // SubUni: Sub-Net and Universe
    *at++ = static_cast<uint8_t>(portAddress >> 8 & 0x7F); // Net
    *at++ = static_cast<uint8_t>(kChannels >> 8);          // length, high byte first
    *at++ = static_cast<uint8_t>(kChannels);
    std::copy(frame.begin() + 1, frame.end(), at);
    return packet;
}

std::optional<uint16_t> artNetOpCode(std::span<const uint8_t> packet)
{
    if (packet.size() < sizeof kId + 2 || !std::ranges::equal(packet.first(sizeof kId), kId))
        return std::nullopt;
    return static_cast<uint16_t>(packet[sizeof kId] | packet[sizeof kId + 1] << 8);
}
