#include "UsbProOutput.h"

#include "UsbProMessage.h"
#include "serial/SerialPort.h"

bool UsbProOutput::Open(int nPort, unsigned nBaud)
{
    return m_port.Open(nPort, nBaud);
}

bool UsbProOutput::IsOpen() const
{
    return m_port.IsOpen();
}

void UsbProOutput::Close()
{
    m_port.Close();
}

const OpenFailure& UsbProOutput::LastOpenFailure() const
{
    return m_port.LastOpenFailure();
}

void UsbProOutput::WriteFrame(const DmxFrame& frame)
{
    const auto message = usbProDmxMessage(frame);
    m_port.WriteBlock(message.data(), static_cast<int>(message.size()));
}
