#pragma once

// Where the serial link's texts go. By default they go nowhere, except the diagnostic lines on
// Windows, which go to the debugger output; the program installs its own sinks at start-up.
enum class SerialText
{
    Diagnostic,      // one line per write that had to wait for completion
    Warning,         // why a device could not be opened, for whoever reads the log
    PortAlreadyOpen, // for the operator: Open was called on a port that is open already
};

using TextSink = void (*)(const char* text);

void setSerialTextSink(SerialText kind, TextSink sink);
void emitSerialText(SerialText kind, const char* text);
