#pragma once

#include "SerialPortOutput.h"

// A break long enough for every DMX receiver: 9 low bits at 57600 baud hold the line low 156 us.
inline constexpr unsigned kBreakBaudRate = 57600;
inline constexpr int kFrameLength = 512; // slots 0 to 511 go on the line

// A plain serial interface, which passes the bytes straight onto the DMX line: the program makes
// the break itself, a zero byte at the break rate, then sends the slots at the DMX rate.
class SerialLineOutput : public SerialPortOutput
{
public:
    using SerialPortOutput::SerialPortOutput;

    // The reset byte. With the port closed the writes fail at once; the frame still goes through
    // its steps.
    void BeginFrame() override;
    // The start code and channels 1 to 511; the port is left at the DMX rate. The frame counts
    // as written when its reset byte and its slots were.
    void WriteFrame(const DmxFrame& frame) override;

private:
    bool m_breakWritten = true; // the last reset byte's write went through
};
