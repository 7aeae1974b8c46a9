#include "FrameSender.h"

#include "Sleep.h"
#include "serial/SerialPort.h"

#include <array>
#include <cstdint>

bool g_bFrameBusy = false;

void SendFrame(const FieldReader& owner, CSerialPort& port)
{
    if (g_bFrameBusy)
        return;
    std::array<uint8_t, kFrameSlots> frame{};
    g_bFrameBusy = true;

    // The reset byte: a zero at a low rate holds the line low for the break.
    port.m_nBaudRate = kBreakBaudRate;
    port.ApplyLineSettings();
    port.WriteBlock(frame.data(), 1);

    // Reading the strips here makes their time part of the mark after break.
    for (int strip = 0; strip < kStripCount; ++strip) {
        const int channel = owner.GetDlgItemInt(IDC_CHANNEL1 + strip);
        const int value = owner.GetDlgItemInt(IDC_VALUE1 + strip);
        if (channel >= 0 && channel < kFrameSlots)
            frame[static_cast<size_t>(channel)] = static_cast<uint8_t>(value);
    }

    port.m_nBaudRate = kFrameBaudRate;
    port.ApplyLineSettings();
    port.WriteBlock(frame.data(), kFrameLength);

    sleepMilliseconds(kFramePauseMs);
    g_bFrameBusy = false;
}
