#pragma once

#include "FrameOutput.h"
#include "NewDataRepeats.h"
#include "OutputKinds.h"
#include "SendWatch.h"
#include "net/DatagramSocket.h"

#include <chrono>
#include <optional>
#include <span>
#include <string>

// What the network outputs share: the universe checked against the kind's range and the address
// the operator typed, both before anything is opened; the interface chosen (see chooseInterface)
// and the socket opened towards that address or the kind's own destination, kept to that
// interface; frames sent there, new data three times; failures warned of once per change; and
// the close, which leaves the socket free for whoever uses it next.
class NetworkOutput : public FrameOutput
{
public:
    ~NetworkOutput() override;

    NetworkOutput(const NetworkOutput&) = delete;
    NetworkOutput& operator=(const NetworkOutput&) = delete;

    // Closes what this output had open, then opens towards settings.universe and settings.address
    // (blank for the kind's own destination, see destinationAddress) from the interface that
    // settings.networkInterface asks for.
    bool Open(const OutputSettings& settings) final;
    void Close() override;
    bool IsOpen() const override { return m_open; }
    const OpenFailure& LastOpenFailure() const override { return m_failure; }
    // Sends the frame as the kind does; the copies of new data follow from Poll.
    void WriteFrame(const DmxFrame& frame) final;
    // Sends what is due: the copies of new data, then what the kind's protocol asks for.
    void Poll() final;
    // The interface and whom the frames go to.
    OutputStatus Status() const override;

protected:
    using TimePoint = std::chrono::steady_clock::time_point;
    // The address that stands for "every host of the interface's network": sent as the
    // interface's directed broadcast, since the limited broadcast would follow the default route.
    static constexpr uint32_t kBroadcast = 0xFFFFFFFF;

    // universeName names the kind's universe in the log ("sACN universe"); its datagrams go to
    // UDP port port.
    NetworkOutput(DatagramSocket& socket, OutputKind kind, const char* universeName, uint16_t port);

    // Where the kind sends universe when the operator typed no address (kBroadcast: broadcast).
    virtual uint32_t DefaultDestination(uint16_t universe) const = 0;
    // The UDP port the kind listens at, shared with other programs; 0 for none.
    virtual uint16_t ListeningPort() const { return 0; }
    // The output has just opened, listening or not: what the kind sends first.
    virtual void Opened(TimePoint /*now*/, bool /*listening*/) {}
    // Sends one frame; false when the kind does not carry it.
    virtual bool SendFrame(const DmxFrame& frame) = 0;
    // What the kind's protocol does on the console's timer while open.
    virtual void PollProtocol(TimePoint /*now*/) {}

    // Sends one datagram to to, by default the destination.
    void Send(std::span<const uint8_t> datagram, const Ipv4Endpoint& to);
    void Send(std::span<const uint8_t> datagram) { Send(datagram, m_destination); }
    DatagramSocket& Socket() { return m_socket; }
    uint16_t Universe() const { return m_universe; }
    const NetworkInterface& Interface() const { return m_interface; }
    // The operator typed the destination.
    bool AddressTyped() const { return m_addressTyped; }
    // The last frame sent since Open.
    const std::optional<DmxFrame>& LastFrame() const { return m_lastFrame; }

private:
    // Keeps and warns of a failure; returns false.
    bool Refuse(const OpenFailure& failure, const std::string& warning);
    // Opens the socket towards the destination, listening where the kind listens and the port can
    // be had; false when it did not open at all.
    bool OpenSocket(bool& listening);

    DatagramSocket& m_socket;
    const OutputKindRow& m_kind;
    const char* const m_universeName;
    const uint16_t m_port;
    bool m_open = false;
    uint16_t m_universe = 0;
    bool m_addressTyped = false;
    NetworkInterface m_interface;
    Ipv4Endpoint m_destination;
    std::optional<DmxFrame> m_lastFrame;
    NewDataRepeats m_repeats;
    SendWatch m_sends{LogCategory::Network};
    OpenFailure m_failure;
};
