// The console's continuous modes. Each runs inside its button's click handler on the GUI thread
// and keeps the console usable by pumping the event queue between frames, so every other handler,
// a second press of either loop button among them, can run nested inside the loop.

#include "ContinuousSend.h"
#include "ConsoleDlg.h"

#include "dmx/Sleep.h"
#include "framework/MessageBox.h"
#include "framework/MessagePump.h"
#include "res/resource.h"

#include <QString>

int32_t g_bLoopRunning = false;

namespace {
constexpr int kPassesPerCycle = 20;
constexpr unsigned kAutoSendPassMs = 2;
constexpr unsigned kRampSendPassMs = 1;

const QString kAutoSendText = QStringLiteral("自动发送");
const QString kRampSendText = QStringLiteral("自变发送");
const QString kStopSendingText = QStringLiteral("停止发送");
const QString kSendingStoppedText = QStringLiteral("已停止发送");

// The part of a cycle that lets the operator act: each pass dispatches what is waiting and then
// sleeps. These sleeps and the frame's own pause are all that paces a loop.
void runPasses(unsigned nSleepMs)
{
    for (int pass = 0; pass < kPassesPerCycle; ++pass) {
        PumpWaitingMessages();
        sleepMilliseconds(nSleepMs);
    }
}
} // namespace

bool CConsoleDlg::ToggleLoop(int nButton, const QString& idleText)
{
    // A loop started once the console has been told to close would run on with no window to stop
    // it from, so a press that would start one then does nothing.
    if (!g_bLoopRunning && !isVisible())
        return false;
    g_bLoopRunning = !g_bLoopRunning;
    // The caption names only this button: after a stop by the other button, the button that
    // started the loop keeps its stop caption until it is pressed again.
    SetDlgItemText(nButton, g_bLoopRunning ? kStopSendingText : idleText);
    return g_bLoopRunning;
}

void CConsoleDlg::OnAutoSend()
{
    // A press that stops a loop only clears the flag; the loop itself lies further down this call
    // stack and ends after its current cycle's frame.
    if (!ToggleLoop(IDC_AUTO_SEND, kAutoSendText))
        return;
    while (g_bLoopRunning) {
        runPasses(kAutoSendPassMs);
        SendFrame();
    }
    AfxMessageBox(kSendingStoppedText, MB_OK);
}

void CConsoleDlg::OnRampSend()
{
    if (!ToggleLoop(IDC_RAMP_SEND, kRampSendText))
        return;
    uint8_t level = 0; // every run starts at 0
    while (g_bLoopRunning) {
        runPasses(kRampSendPassMs);
        // Only the value fields change; the sliders stay, and the channel fields decide which
        // channels carry the level.
        for (int strip = 0; strip < kStripCount; ++strip)
            SetDlgItemInt(IDC_VALUE1 + strip, level);
        SendFrame();
        ++level; // from 255 back to 0
    }
    AfxMessageBox(kSendingStoppedText, MB_OK);
}
