#include "DmxOutput.h"

#include "serial/SerialPort.h"

DmxOutput::DmxOutput(CSerialPort& port) : m_port(port), m_serialLine(port), m_usbPro(port) {}

bool DmxOutput::Open(const OutputSettings& settings)
{
    m_settings = settings;
    switch (settings.kind) {
    case OutputKind::SerialLine:
        m_current = &m_serialLine;
        break;
    case OutputKind::UsbPro:
        m_current = &m_usbPro;
        break;
    }
    return m_port.Open(settings.port, settings.baudRate);
}

void DmxOutput::Close()
{
    m_port.Close();
}

const OpenFailure& DmxOutput::LastOpenFailure() const
{
    return m_port.LastOpenFailure();
}

bool DmxOutput::IsOpen() const
{
    return m_current->IsOpen();
}

void DmxOutput::BeginFrame()
{
    m_current->BeginFrame();
}

void DmxOutput::WriteFrame(const DmxFrame& frame)
{
    m_current->WriteFrame(frame);
}
