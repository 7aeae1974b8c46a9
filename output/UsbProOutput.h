#pragma once

#include "FrameOutput.h"

class CSerialPort;

// A DMX USB Pro widget (or a compatible) on a serial port: each frame is one message to the
// widget's processor, which makes the break and the timing on the DMX line itself. The port stays
// at the rate it was opened with.
class UsbProOutput : public FrameOutput
{
public:
    explicit UsbProOutput(CSerialPort& port) : m_port(port) {}

    // Opens serial port number nPort (1 = COM1) at nBaud.
    bool Open(int nPort, unsigned nBaud);
    bool IsOpen() const override;
    void Close() override;
    const OpenFailure& LastOpenFailure() const override;
    void WriteFrame(const DmxFrame& frame) override;

private:
    CSerialPort& m_port;
};
