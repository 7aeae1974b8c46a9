#include "SerialPortOutput.h"

#include "output/OutputSettings.h"
#include "serial/SerialPort.h"

bool SerialPortOutput::Open(const OutputSettings& settings)
{
    return m_port.Open(settings.port, settings.baudRate);
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
