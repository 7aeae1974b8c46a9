#pragma once

#include "output/FrameOutput.h"
#include "output/SendWatch.h"

class CSerialPort;

// An output on the serial port: opening, closing and the port's failure are the port's own. A port
// that is open already refuses to open again, so the one in use is to be closed first. Whether
// frames go out whole is watched from each open on.
class SerialPortOutput : public FrameOutput
{
public:
    explicit SerialPortOutput(CSerialPort& port) : m_port(port) {}

    // Opens serial port number settings.port (1 = COM1) at settings.baudRate.
    bool Open(const OutputSettings& settings) override;
    bool IsOpen() const override;
    void Close() override;
    const OpenFailure& LastOpenFailure() const override;
    OutputStatus Status() const override;

protected:
    // Notes whether everything written for one frame, or one message to the interface, went
    // out whole: a change is warned of once, and the status says whether writes fail. Writes to
    // a port that is not open are no news: the console says it is not open.
    void NoteWritten(bool written);
    // "COM1", as the log names the port open now.
    const std::string& PortName() const { return m_portName; }

    CSerialPort& m_port;

private:
    SendWatch m_writes{LogCategory::Serial};
    std::string m_portName;
};
