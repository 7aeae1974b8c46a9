#pragma once

#include "output/NetworkOutput.h"

// Frames as Art-Net ArtDmx packets for one port-address (0 to 32767), broadcast on the local
// network (255.255.255.255) or sent to an address the operator typed, a node's or a directed
// broadcast.
class ArtNetOutput : public NetworkOutput
{
public:
    explicit ArtNetOutput(DatagramSocket& socket);

    void Close() override;
    // Frames whose start code is not 0 are not sent (ArtDmx carries none); a warning says so
    // when they start, not at every frame.
    void WriteFrame(const DmxFrame& frame) override;

private:
    uint32_t DefaultDestination(uint16_t universe) const override;

    uint8_t m_sequence = 1;           // of the next packet, 1 to 255: 0 would turn reordering off
    bool m_skippingStartCode = false; // the last frame was not sent for its start code
};
