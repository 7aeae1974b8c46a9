#pragma once

#include "dmx/FrameSender.h"
#include "framework/Dialog.h"
#include "framework/SliderCtrl.h"
#include "output/OutputSettings.h"

#include <cstdint>
#include <string>

inline constexpr int kStripCount = 6;

// True while a continuous send loop should go on: a 32-bit boolean shared by auto send and ramp
// send, so that either loop button, OK and Cancel stop whichever loop is running.
extern int32_t g_bLoopRunning;

// The console: six channel strips, each a channel field above a trackbar above a value field,
// and a column of buttons. Every paint of a trackbar writes its position into the strip's value
// field and sends a frame of all six strips; so does the send button. While nothing else goes
// out, the last frame is sent again, so the lamps keep their levels. It opens startupOutput as
// it starts, and shows below the buttons which output is in use.
class CConsoleDlg : public CDialog, public ChannelLevels
{
public:
    explicit CConsoleDlg(CDialog* pParent = nullptr, const OutputSettings& startupOutput = {});

    // The strips' fields for the frame sender: strip by strip, its channel field then its value
    // field, each a signed decimal integer, 0 when its text is no number.
    void ReadLevels(const SetLevel& set) const override;

    void SendFrame();

protected:
    CSliderCtrl m_slider6;
    CSliderCtrl m_slider5;
    CSliderCtrl m_slider4;
    CSliderCtrl m_slider3;
    CSliderCtrl m_slider2;
    CSliderCtrl m_slider1;
    HICON m_hIcon;

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    void OnSysCommand(unsigned nID, long lParam) override;
    void OnTimer(unsigned nIDEvent) override;
    // Strip nStrip's trackbar has painted.
    void OnSliderDraw(int nStrip, const NMHDR& notification, long* pResult);
    // The open-port button: the port settings dialog, then the port it chose.
    void OnPortSettings();
    // The loop buttons: a press starts that button's loop, or stops whichever loop is running.
    // Auto send resends the strips as they stand; ramp send writes a level rising by one per
    // frame into all six value fields.
    void OnAutoSend();
    void OnRampSend();

private:
    CSliderCtrl& slider(int nStrip);
    // Toggles the running flag and sets nButton's caption to match; true when a loop is to start.
    bool ToggleLoop(int nButton, int nIdleTextId);
    // Opens the output settings describe; when it fails, the operator is told why.
    void OpenOutput(const OutputSettings& settings);
    // Shows the output in use and its status below the buttons, when they changed.
    void ShowOutputInUse();

    const OutputSettings m_startupOutput;
    FrameSender m_frameSender;
    std::string m_strOutputShown;
};
