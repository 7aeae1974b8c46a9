#pragma once

#include "FrameOutput.h"
#include "OutputKinds.h"
#include "SendWatch.h"
#include "net/DatagramSocket.h"

#include <span>
#include <string>

// What the network outputs share: the universe checked against the kind's range and the address
// the operator typed, both before anything is opened; the socket opened towards that address or
// the kind's own destination; datagrams sent there, with failures warned of once per change; and
// the close, which leaves the socket free for whoever uses it next.
class NetworkOutput : public FrameOutput
{
public:
    ~NetworkOutput() override;

    NetworkOutput(const NetworkOutput&) = delete;
    NetworkOutput& operator=(const NetworkOutput&) = delete;

    // Closes what this output had open, then opens towards settings.universe and settings.address
    // (blank for the kind's own destination, see destinationAddress).
    bool Open(const OutputSettings& settings) final;
    void Close() override;
    bool IsOpen() const override { return m_open; }
    const OpenFailure& LastOpenFailure() const override { return m_failure; }
    OutputStatus Status() const override;

protected:
    // universeName names the kind's universe in warnings ("sACN universe"); its datagrams go to
    // UDP port port.
    NetworkOutput(DatagramSocket& socket, OutputKind kind, const char* universeName, uint16_t port);

    // Where the kind sends universe when the operator typed no address.
    virtual uint32_t DefaultDestination(uint16_t universe) const = 0;
    // Sends one datagram to the destination.
    void Send(std::span<const uint8_t> datagram);
    uint16_t Universe() const { return m_universe; }

private:
    // Keeps and warns of a failure; returns false.
    bool Refuse(const OpenFailure& failure, const std::string& warning);

    DatagramSocket& m_socket;
    const OutputKindRow& m_kind;
    const char* const m_universeName;
    const uint16_t m_port;
    bool m_open = false;
    uint16_t m_universe = 0;
    Ipv4Endpoint m_destination;
    std::string m_destinationText; // "a.b.c.d:port", as warnings name it
    SendWatch m_sends{LogCategory::Network};
    OpenFailure m_failure;
};
