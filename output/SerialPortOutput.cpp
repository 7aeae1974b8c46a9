#include "SerialPortOutput.h"

#include "serial/SerialPort.h"

bool SerialPortOutput::Open(int nPort, unsigned nBaud)
{
    return m_port.Open(nPort, nBaud);
}

bool SerialPortOutput::IsOpen() const
{
    return m_port.IsOpen();
}

void SerialPortOutput::Close()
{
    m_port.Close();
}

const OpenFailure& SerialPortOutput::LastOpenFailure() const
{
    return m_port.LastOpenFailure();
}
