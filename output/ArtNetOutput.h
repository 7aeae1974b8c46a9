#pragma once

#include "ArtDmxPacket.h"
#include "DatagramLink.h"

// Frames as Art-Net ArtDmx packets for one port-address, broadcast on the local network or sent
// to an address the operator typed.
class ArtNetOutput : public FrameOutput
{
public:
    explicit ArtNetOutput(DatagramSocket& socket) : m_link(socket) {}
    // Leaves the socket free for whoever uses it next.
    ~ArtNetOutput() override;

    ArtNetOutput(const ArtNetOutput&) = delete;
    ArtNetOutput& operator=(const ArtNetOutput&) = delete;

    // Closes what this output had open, then opens towards portAddress (0 to 32767). The address
    // is blank for the limited broadcast 255.255.255.255, or a dotted IPv4 address, a node's or
    // a directed broadcast (see destinationAddress). Both are checked before anything is opened.
    bool Open(int portAddress, const std::string& address);
    void Close() override;
    const OpenFailure& LastOpenFailure() const override { return m_link.lastOpenFailure(); }

    bool IsOpen() const override { return m_link.isOpen(); }
    // Frames whose start code is not 0 are not sent (ArtDmx carries none); a warning says so
    // when they start, not at every frame.
    void WriteFrame(const DmxFrame& frame) override;

private:
    DatagramLink m_link;
    uint16_t m_portAddress = 0;
    uint8_t m_sequence = 1;           // of the next packet, 1 to 255: 0 would turn reordering off
    bool m_skippingStartCode = false; // the last frame was not sent for its start code
};
