#include "UsbProOutput.h"

#include "UsbProMessage.h"
#include "serial/SerialPort.h"

void UsbProOutput::WriteFrame(const DmxFrame& frame)
{
    const auto message = usbProDmxMessage(frame);
    m_port.WriteBlock(message.data(), static_cast<int>(message.size()));
}
