#include "ArtDmxPacket.h"

#include <algorithm>

ArtDmxPacket artDmxPacket(uint16_t portAddress, uint8_t sequence, const DmxFrame& frame)
{
    static constexpr uint8_t kHeader[] = {
        'A',  'r',  't', '-', 'N', 'e', 't', 0, // ID
        0x00, 0x50,                             // OpCode OpDmx, low byte first
        0,    14,                               // protocol version, high byte first
    };
    constexpr uint16_t kChannels = kFrameSlots - 1;

    ArtDmxPacket packet{};
    auto at = std::ranges::copy(kHeader, packet.begin()).out;
    *at++ = sequence;
    *at++ = 0;                                             // physical port
    *at++ = static_cast<uint8_t>(portAddress);             // SubUni: Sub-Net and Universe
    *at++ = static_cast<uint8_t>(portAddress >> 8 & 0x7F); // Net
    *at++ = static_cast<uint8_t>(kChannels >> 8);          // length, high byte first
    *at++ = static_cast<uint8_t>(kChannels);
    std::copy(frame.begin() + 1, frame.end(), at);
    return packet;
}
