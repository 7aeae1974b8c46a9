#pragma once

#include "SacnPacket.h"
#include "output/NetworkOutput.h"

#include <optional>

// Frames as sACN (E1.31) data packets for one universe (1 to 63999), to the universe's multicast
// group 239.255.hi.lo or to the receiver whose address the operator typed. Closing ends the stream
// so that receivers let the universe go at once instead of holding the last frame for their
// timeout.
class SacnOutput : public NetworkOutput
{
public:
    explicit SacnOutput(DatagramSocket& socket);
    // Ends the stream: the program is leaving.
    ~SacnOutput() override;

    // If any frame went out, sends the last one three times more marked as the stream's end.
    void Close() override;
    // Any start code goes: sACN carries slot 0 as it is.
    void WriteFrame(const DmxFrame& frame) override;

private:
    uint32_t DefaultDestination(uint16_t universe) const override;
    void SendPacket(SacnStream stream, const DmxFrame& frame);

    const SacnSource* m_source = nullptr; // this machine's, from the first frame on
    uint8_t m_sequence = 0;               // of the next packet; it runs on across Close and Open
    std::optional<DmxFrame> m_lastFrame;  // sent since Open
};
