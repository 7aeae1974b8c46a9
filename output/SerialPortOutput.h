#pragma once

#include "FrameOutput.h"

class CSerialPort;

// An output on the serial port: opening, closing and the port's failure are the port's own.
class SerialPortOutput : public FrameOutput
{
public:
    explicit SerialPortOutput(CSerialPort& port) : m_port(port) {}

    // Opens serial port number nPort (1 = COM1) at nBaud.
    bool Open(int nPort, unsigned nBaud);
    bool IsOpen() const override;
    void Close() override;
    const OpenFailure& LastOpenFailure() const override;

protected:
    CSerialPort& m_port;
};
