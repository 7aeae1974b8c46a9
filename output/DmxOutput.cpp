#include "DmxOutput.h"

DmxOutput::DmxOutput(CSerialPort& port, DatagramSocket& socket)
    : m_serialLine(port), m_usbPro(port), m_sacn(socket), m_artNet(socket)
{}

bool DmxOutput::Open(const OutputSettings& settings)
{
    m_settings = settings;
    switch (settings.kind) {
    case OutputKind::SerialLine:
        m_current = &m_serialLine;
        return m_serialLine.Open(settings.port, settings.baudRate);
    case OutputKind::UsbPro:
        m_current = &m_usbPro;
        return m_usbPro.Open(settings.port, settings.baudRate);
    case OutputKind::Sacn:
        m_current = &m_sacn;
        return m_sacn.Open(settings.universe, settings.address);
    case OutputKind::ArtNet:
        m_current = &m_artNet;
        return m_artNet.Open(settings.universe, settings.address);
    }
    return false;
}
