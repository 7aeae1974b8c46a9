#pragma once

#include "OutputSettings.h"
#include "SerialLineOutput.h"
#include "UsbProOutput.h"
#include "serial/OpenFailure.h"

class CSerialPort;

// The console's output: the interface of the chosen kind, opened with its settings. Frames go to
// whichever is in use; the serial kinds share the one port.
class DmxOutput : public FrameOutput
{
public:
    explicit DmxOutput(CSerialPort& port);

    // Opens the interface that settings describe. The one in use is to be closed first: a port
    // that is open already refuses.
    bool Open(const OutputSettings& settings);
    void Close();
    // What the last Open was asked for, whether it succeeded or not.
    const OutputSettings& Settings() const { return m_settings; }
    // Why the last Open that failed did so.
    const OpenFailure& LastOpenFailure() const;

    bool IsOpen() const override;
    void BeginFrame() override;
    void WriteFrame(const DmxFrame& frame) override;

private:
    CSerialPort& m_port;
    SerialLineOutput m_serialLine;
    UsbProOutput m_usbPro;
    OutputSettings m_settings;
    FrameOutput* m_current = &m_serialLine; // the output of m_settings.kind
};
