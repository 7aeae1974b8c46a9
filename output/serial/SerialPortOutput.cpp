#include "SerialPortOutput.h"

#include "output/OutputSettings.h"
#include "serial/SerialPort.h"

bool SerialPortOutput::Open(const OutputSettings& settings)
{
    m_portName = "COM" + std::to_string(settings.port);
    m_writes.Reset();
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

OutputStatus SerialPortOutput::Status() const
{
    OutputStatus status;
    status.writesFailing = m_writes.Failing();
    return status;
}

void SerialPortOutput::NoteWritten(bool written)
{
    if (m_port.IsOpen())
        m_writes.Note(written, m_portName, m_port.LastWriteFailure());
}
