#pragma once

#include "SerialPortOutput.h"
#include "UsbProMessage.h"

#include <chrono>
#include <string>

// A widget that has said nothing this long after being asked who it is counts as not answering.
inline constexpr std::chrono::seconds kUsbProAnswerTime{1};

// A DMX USB Pro widget (or a compatible) on a serial port: each frame is one message to the
// widget's processor, which makes the break and the timing on the DMX line itself. The port stays
// at the rate it was opened with. As it opens, the widget is asked for its parameters and its
// serial number; what it answers, or that it does not, shows in the status, so that a plain
// serial interface chosen as a widget by mistake is told apart.
class UsbProOutput : public SerialPortOutput
{
public:
    using SerialPortOutput::SerialPortOutput;

    // Opens the port and asks the widget who it is.
    bool Open(const OutputSettings& settings) override;
    void WriteFrame(const DmxFrame& frame) override;
    // Takes in the widget's replies; once kUsbProAnswerTime has passed without any, warns that
    // this may be no widget. A reply that comes later is taken all the same.
    void Poll() override;
    OutputStatus Status() const override;

private:
    void Take(const UsbProReply& reply);

    UsbProReplyParser m_replies;
    std::chrono::steady_clock::time_point m_asked;
    bool m_answered = false;
    bool m_noAnswer = false;
    std::string m_serialNumber;
    std::string m_firmware;
};
