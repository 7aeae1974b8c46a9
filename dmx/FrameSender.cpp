#include "FrameSender.h"

#include "Sleep.h"

bool g_bFrameBusy = false;

template <typename Fill> void FrameSender::Send(Fill fill)
{
    if (g_bFrameBusy)
        return;
    DmxFrame frame{};
    g_bFrameBusy = true;
    m_lastFrameBegan = steadyNow();

    m_output.BeginFrame();
    // Filling the frame here makes the time it takes part of the mark after break.
    fill(frame);
    m_output.WriteFrame(frame);
    m_lastFrame = frame;

    sleepMilliseconds(kFramePauseMs);
    g_bFrameBusy = false;
}

void FrameSender::SendFrame(const ChannelLevels& levels)
{
    Send([&levels](DmxFrame& frame) {
        levels.ReadLevels([&frame](int channel, int value) {
            if (channel >= 0 && channel < kFrameSlots)
                frame[static_cast<size_t>(channel)] = static_cast<uint8_t>(value);
        });
    });
}

void FrameSender::RefreshIdleOutput()
{
    if (!m_lastFrame || !m_output.IsOpen() || steadyNow() - m_lastFrameBegan < kRefreshAfter)
        return;
    Send([this](DmxFrame& frame) { frame = *m_lastFrame; });
}
