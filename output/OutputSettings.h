#pragma once

#include "SerialLineOutput.h"

// The kinds of interface that frames can go out through.
enum class OutputKind
{
    SerialLine, // a plain serial interface: the program makes the break and the timing
    UsbPro,     // a DMX USB Pro widget, which makes them itself
};

// Which interface to open, and how.
struct OutputSettings
{
    OutputKind kind = OutputKind::SerialLine;
    int port = 1;                       // serial port number, 1 = COM1
    unsigned baudRate = kFrameBaudRate; // the rate the port is opened at

    bool operator==(const OutputSettings&) const = default;
};
