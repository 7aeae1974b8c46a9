#pragma once

#include "DatagramLink.h"
#include "SacnPacket.h"

#include <optional>

// Frames as sACN (E1.31) data packets for one universe, to the universe's multicast group or to
// an address the operator typed. Closing ends the stream so that receivers let the universe go
// at once instead of holding the last frame for their timeout.
class SacnOutput : public FrameOutput
{
public:
    explicit SacnOutput(DatagramSocket& socket) : m_link(socket) {}
    // Ends the stream: the program is leaving.
    ~SacnOutput() override;

    SacnOutput(const SacnOutput&) = delete;
    SacnOutput& operator=(const SacnOutput&) = delete;

    // Closes what this output had open, then opens towards universe (1 to 63999). The address is
    // blank for the universe's multicast group 239.255.hi.lo, or the dotted IPv4 address of one
    // receiver (see destinationAddress). Both are checked before anything is opened.
    bool Open(int universe, const std::string& address);
    // If any frame went out, sends the last one three times more marked as the stream's end.
    void Close() override;
    const OpenFailure& LastOpenFailure() const override { return m_link.lastOpenFailure(); }

    bool IsOpen() const override { return m_link.isOpen(); }
    // Any start code goes: sACN carries slot 0 as it is.
    void WriteFrame(const DmxFrame& frame) override;

private:
    void send(SacnStream stream, const DmxFrame& frame);

    DatagramLink m_link;
    const SacnSource* m_source = nullptr; // this machine's, from the first Open on
    uint16_t m_universe = 0;
    uint8_t m_sequence = 0;              // of the next packet; it runs on across Close and Open
    std::optional<DmxFrame> m_lastFrame; // sent since Open
};
