#pragma once

#include "SerialPortOutput.h"

// A DMX USB Pro widget (or a compatible) on a serial port: each frame is one message to the
// widget's processor, which makes the break and the timing on the DMX line itself. The port stays
// at the rate it was opened with.
class UsbProOutput : public SerialPortOutput
{
public:
    using SerialPortOutput::SerialPortOutput;

    void WriteFrame(const DmxFrame& frame) override;
};
