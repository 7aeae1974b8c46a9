#pragma once

#include "output/FrameOutput.h"

class CSerialPort;

// An output on the serial port: opening, closing and the port's failure are the port's own. A port
// that is open already refuses to open again, so the one in use is to be closed first.
class SerialPortOutput : public FrameOutput
{
public:
    explicit SerialPortOutput(CSerialPort& port) : m_port(port) {}

    // Opens serial port number settings.port (1 = COM1) at settings.baudRate.
    bool Open(const OutputSettings& settings) override;
    bool IsOpen() const override;
    void Close() override;
    const OpenFailure& LastOpenFailure() const override;

protected:
    CSerialPort& m_port;
};
