#pragma once

#include "OutputSettings.h"

#include "net/DatagramSocket.h"

#include <array>
#include <memory>
#include <vector>

class CSerialPort;

// The console's output: the interface of the chosen kind, opened with its settings. Frames go to
// whichever is in use; the serial kinds share the one port, the network kinds the one socket.
// Destroyed at the program's end, a network output ends its stream; a serial port is left to
// the system.
class DmxOutput : public FrameOutput
{
public:
    DmxOutput(CSerialPort& port, DatagramSocket& socket);

    // Opens the interface that settings describe. The one in use is to be closed first: a port
    // that is open already refuses.
    bool Open(const OutputSettings& settings) override;
    // What the last Open was asked for, whether it succeeded or not.
    const OutputSettings& Settings() const { return m_settings; }

    bool IsOpen() const override { return m_current->IsOpen(); }
    void Close() override { m_current->Close(); }
    const OpenFailure& LastOpenFailure() const override { return m_current->LastOpenFailure(); }
    void BeginFrame() override { m_current->BeginFrame(); }
    void WriteFrame(const DmxFrame& frame) override { m_current->WriteFrame(frame); }
    void Poll() override { m_current->Poll(); }
    OutputStatus Status() const override { return m_current->Status(); }

    // The machine's IPv4 interfaces now, which the network kinds can send from.
    std::vector<NetworkInterface> NetworkInterfaces() const { return m_socket.interfaces(); }

private:
    DatagramSocket& m_socket;
    std::array<std::unique_ptr<FrameOutput>, kOutputKindCount> m_outputs; // by kind
    OutputSettings m_settings;
    FrameOutput* m_current; // the output of m_settings.kind
};
