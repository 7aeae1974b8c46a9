#pragma once

#include "ArtNetNodes.h"
#include "output/NetworkOutput.h"

// Frames as Art-Net ArtDmx packets for one port-address (0 to 32767), as an Art-Net 4 controller
// sends them: it polls the interface's network every 2.75 s and sends the data to each node that
// answered with an output of the port-address, by the network's directed broadcast while none has
// (or more than 40 have), or to the address the operator typed alone. It answers polls, its own
// among them, as a controller of that one stream. Listening needs UDP port 6454, shared with
// other programs; without it, the data is broadcast and nothing is answered.
class ArtNetOutput : public NetworkOutput
{
public:
    explicit ArtNetOutput(DatagramSocket& socket);

    void Close() override;
    // The nodes heard from and whom the frames go to.
    OutputStatus Status() const override;

private:
    uint32_t DefaultDestination(uint16_t universe) const override;
    uint16_t ListeningPort() const override;
    void Opened(TimePoint now, bool listening) override;
    // Frames whose start code is not 0 are not sent (ArtDmx carries none); a warning says so
    // when they start, not at every frame.
    bool SendFrame(const DmxFrame& frame) override;
    void PollProtocol(TimePoint now) override;
    // Takes in one datagram: a poll is answered, a node's reply noted.
    void Receive(const ReceivedDatagram& datagram, TimePoint now);
    void SendPoll(TimePoint now);
    void AnswerPoll(const Ipv4Endpoint& poller);

    uint8_t m_sequence = 1;           // of the next packet, 1 to 255: 0 would turn reordering off
    bool m_skippingStartCode = false; // the last frame was not sent for its start code
    bool m_listening = false;
    TimePoint m_nextPoll;
    ArtNetNodes m_nodes;
    unsigned m_replies = 0; // answers to polls since the program started, for the node report
};
