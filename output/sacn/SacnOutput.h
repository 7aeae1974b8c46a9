#pragma once

#include "SacnPacket.h"
#include "output/NetworkOutput.h"

// Frames as sACN (E1.31) data packets for one universe (1 to 63999), to the universe's multicast
// group 239.255.hi.lo or to the receiver whose address the operator typed. The universe is
// announced in a discovery packet every 10 s from the opening on. Closing ends the stream so that
// receivers let the universe go at once instead of holding the last frame for their timeout.
class SacnOutput : public NetworkOutput
{
public:
    explicit SacnOutput(DatagramSocket& socket);
    // Ends the stream: the program is leaving.
    ~SacnOutput() override;

    // If any frame went out, sends the last one three times more marked as the stream's end.
    void Close() override;

private:
    uint32_t DefaultDestination(uint16_t universe) const override;
    void Opened(TimePoint now, bool listening) override;
    // Any start code goes: sACN carries slot 0 as it is.
    bool SendFrame(const DmxFrame& frame) override;
    void PollProtocol(TimePoint now) override;
    void SendPacket(SacnStream stream, const DmxFrame& frame);
    void AnnounceUniverse(TimePoint now);

    const SacnSource& Source();

    const SacnSource* m_source = nullptr; // this machine's, from the first packet on
    uint8_t m_sequence = 0;               // of the next packet; it runs on across Close and Open
    TimePoint m_nextDiscovery;
};
