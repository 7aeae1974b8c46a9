#include "SerialLineOutput.h"

#include "serial/SerialPort.h"

void SerialLineOutput::BeginFrame()
{
    // The reset byte: a zero at a low rate holds the line low for the break.
    static constexpr uint8_t kResetByte = 0x00;
    m_port.m_nBaudRate = kBreakBaudRate;
    m_port.ApplyLineSettings();
    m_breakWritten = m_port.WriteBlock(&kResetByte, 1);
}

void SerialLineOutput::WriteFrame(const DmxFrame& frame)
{
    m_port.m_nBaudRate = kFrameBaudRate;
    m_port.ApplyLineSettings();
    const bool slotsWritten = m_port.WriteBlock(frame.data(), kFrameLength);
    // Slots without their break are no frame either.
    NoteWritten(m_breakWritten && slotsWritten);
}
