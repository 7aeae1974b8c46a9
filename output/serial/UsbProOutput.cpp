#include "UsbProOutput.h"

#include "base/Log.h"
#include "dmx/Sleep.h"
#include "serial/SerialPort.h"

#include <cstdio>

namespace {

// Writes one message to the widget; true when it went out whole.
bool writeMessage(CSerialPort& port, std::span<const uint8_t> message)
{
    return port.WriteBlock(message.data(), static_cast<int>(message.size()));
}

// A time in the widget's units of 10.67 us, in microseconds to one decimal.
std::string microseconds(unsigned units)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f us", units * 10.67);
    return text;
}

} // namespace

bool UsbProOutput::Open(const OutputSettings& settings)
{
    m_replies = {};
    m_answered = m_noAnswer = false;
    m_serialNumber.clear();
    m_firmware.clear();
    if (!SerialPortOutput::Open(settings))
        return false;
    m_asked = steadyNow();
    NoteWritten(writeMessage(m_port, kUsbProParametersRequest) &&
                writeMessage(m_port, kUsbProSerialNumberRequest));
    return true;
}

void UsbProOutput::WriteFrame(const DmxFrame& frame)
{
    NoteWritten(writeMessage(m_port, usbProDmxMessage(frame)));
}

void UsbProOutput::Poll()
{
    if (!m_port.IsOpen())
        return;
    uint8_t bytes[1024];
    const int count = m_port.ReadAvailable(bytes, sizeof bytes);
    if (count > 0) {
        for (const UsbProReply& reply :
             m_replies.Take(std::span(bytes, static_cast<size_t>(count))))
            Take(reply);
    }
    if (!m_answered && !m_noAnswer && steadyNow() - m_asked >= kUsbProAnswerTime) {
        m_noAnswer = true;
        writeLog(LogCategory::Serial, LogLevel::Warning,
                 "no DMX USB Pro widget answers on " + PortName() +
                     "; if the interface there passes bytes straight onto the DMX line, choose "
                     "the plain serial kind");
    }
}

void UsbProOutput::Take(const UsbProReply& reply)
{
    m_answered = true;
    m_noAnswer = false;
    const std::string widget = "DMX USB Pro widget on " + PortName() + ": ";
    if (reply.label == kUsbProSerialNumberLabel) {
        m_serialNumber = usbProSerialNumber(reply);
        writeLog(LogCategory::Serial, LogLevel::Info, widget + "serial number " + m_serialNumber);
        return;
    }
    const UsbProParameters parameters = usbProParameters(reply);
    m_firmware = parameters.firmware;
    writeLog(LogCategory::Serial, LogLevel::Info,
             widget + "firmware " + m_firmware + ", break " + microseconds(parameters.breakUnits) +
                 ", mark after break " + microseconds(parameters.markAfterBreakUnits) + ", " +
                 std::to_string(parameters.framesPerSecond) + " frames per second");
}

OutputStatus UsbProOutput::Status() const
{
    OutputStatus status = SerialPortOutput::Status();
    status.noAnswer = m_noAnswer;
    status.serialNumber = m_serialNumber;
    status.firmwareVersion = m_firmware;
    return status;
}
