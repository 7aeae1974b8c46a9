#include "ConsoleDlg.h"

#include "AboutDlg.h"
#include "MachinePorts.h"
#include "OpenFailureText.h"
#include "OutputText.h"
#include "PortSettingsDlg.h"
#include "ThePort.h"
#include "dmx/Sleep.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/MessagePump.h"
#include "framework/Resources.h"
#include "framework/SystemMenu.h"
#include "framework/Trace.h"
#include "framework/WinApp.h"
#include "res/resource.h"

int32_t g_bLoopRunning = false;

namespace {
constexpr int kPassesPerCycle = 20;
constexpr unsigned kAutoSendPassMs = 2;
constexpr unsigned kRampSendPassMs = 1;

// Hears the output and looks for an idle one this often; with kRefreshAfter, frames stay well
// under 1 s apart.
constexpr unsigned kConsoleTimer = 1;
constexpr unsigned kConsoleTimerMs = 50;

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

CConsoleDlg::CConsoleDlg(CDialog* pParent, const OutputSettings& startupOutput)
    : CDialog(IDD_CONSOLE, pParent), m_hIcon(AfxLoadIcon(IDR_MAINFRAME)),
      m_startupOutput(startupOutput), m_frameSender(theOutput)
{
    mapClicked(IDC_SEND, [this] { SendFrame(); });
    mapClicked(IDC_OPEN_PORT, [this] { OnPortSettings(); });
    mapClicked(IDC_AUTO_SEND, [this] { OnAutoSend(); });
    mapClicked(IDC_RAMP_SEND, [this] { OnRampSend(); });
    const int sliders[kStripCount] = {IDC_SLIDER1, IDC_SLIDER2, IDC_SLIDER3,
                                      IDC_SLIDER4, IDC_SLIDER5, IDC_SLIDER6};
    for (int strip = 1; strip <= kStripCount; ++strip) {
        mapNotify(sliders[strip - 1], NM_CUSTOMDRAW,
                  [this, strip](const NMHDR& notification, long* pResult) {
                      OnSliderDraw(strip, notification, pResult);
                  });
    }
}

void CConsoleDlg::ReadLevels(const SetLevel& set) const
{
    for (int strip = 0; strip < kStripCount; ++strip) {
        const int channel = GetDlgItemInt(IDC_CHANNEL1 + strip);
        set(channel, GetDlgItemInt(IDC_VALUE1 + strip));
    }
}

void CConsoleDlg::SendFrame()
{
    m_frameSender.SendFrame(*this);
}

void CConsoleDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SLIDER6, m_slider6);
    DDX_Control(pDX, IDC_SLIDER5, m_slider5);
    DDX_Control(pDX, IDC_SLIDER4, m_slider4);
    DDX_Control(pDX, IDC_SLIDER3, m_slider3);
    DDX_Control(pDX, IDC_SLIDER2, m_slider2);
    DDX_Control(pDX, IDC_SLIDER1, m_slider1);
}

bool CConsoleDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (CMenu* pSysMenu = GetSystemMenu(false)) {
        const std::string strAboutMenu = loadString(IDS_ABOUTBOX);
        if (!strAboutMenu.empty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }

    SetIcon(m_hIcon, true);
    SetIcon(m_hIcon, false);

    for (int strip = 1; strip <= kStripCount; ++strip)
        SetDlgItemInt(IDC_CHANNEL1 + strip - 1, strip);
    for (int strip = 1; strip <= kStripCount; ++strip)
        slider(strip).SetRange(0, 255, false);
    for (int strip = 1; strip <= kStripCount; ++strip)
        slider(strip).SetPos(1);

    // A failure is shown before the console itself, which then runs without an output.
    OpenOutput(m_startupOutput);
    // Runs in every loop the thread runs: the console's, a message box's, a dialog's over it,
    // a window drag's.
    SetTimer(kConsoleTimer, kConsoleTimerMs);

    return true;
}

void CConsoleDlg::OnSliderDraw(int nStrip, const NMHDR& /*notification*/, long* pResult)
{
    SetDlgItemInt(IDC_VALUE1 + nStrip - 1, slider(nStrip).GetPos());
    SendFrame();
    *pResult = CDRF_DODEFAULT;
}

void CConsoleDlg::OnOK()
{
    // A running loop ends after its current cycle; the console closes once it has returned.
    g_bLoopRunning = false;
    CDialog::OnOK();
}

void CConsoleDlg::OnCancel()
{
    g_bLoopRunning = false;
    CDialog::OnCancel();
}

void CConsoleDlg::OnTimer(unsigned nIDEvent)
{
    if (nIDEvent != kConsoleTimer)
        return;
    theOutput.Poll();
    ShowOutputInUse();
    m_frameSender.RefreshIdleOutput();
}

CSliderCtrl& CConsoleDlg::slider(int nStrip)
{
    CSliderCtrl* const sliders[kStripCount] = {&m_slider1, &m_slider2, &m_slider3,
                                               &m_slider4, &m_slider5, &m_slider6};
    return *sliders[nStrip - 1];
}

// ---- Window menu -------------------------------------------------------------------------------

void CConsoleDlg::OnSysCommand(unsigned nID, long lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

// ---- Port settings -----------------------------------------------------------------------------

void CConsoleDlg::OnPortSettings()
{
    // The framework makes the console its owner, which takes no input while the dialog is open.
    // A continuous loop that dispatched this click waits here and goes on with whatever port is
    // open afterwards.
    CPortSettingsDlg dlg;
    dlg.m_interfaces = theOutput.NetworkInterfaces();
    // The nodes come from the Art-Net output in use: it has been listening since it opened,
    // while a search begun here would keep the operator waiting for the answers.
    dlg.m_receivers = theOutput.Status().heard;
    if (dlg.DoModal() != IDOK)
        return;

    if (theOutput.IsOpen())
        theOutput.Close();
    OpenOutput(dlg.Settings());
}

void CConsoleDlg::OpenOutput(const OutputSettings& settings)
{
    if (!theOutput.Open(settings)) {
        AfxMessageBox(loadString(IDS_OPEN_PORT_FAILED), MB_OK,
                      describeOpenFailure(settings.port, settings.baudRate,
                                          theOutput.LastOpenFailure(), machinePorts()));
    }
    ShowOutputInUse();
}

void CConsoleDlg::ShowOutputInUse()
{
    std::string shown =
        describeOutput(theOutput.Settings(), theOutput.IsOpen(), theOutput.Status());
    if (shown == m_strOutputShown)
        return;
    // The lines as one, for whoever watches the console from outside (the end-to-end tests).
    std::string traced = "output lines: ";
    for (const char c : shown)
        traced += c == '\n' ? std::string(" | ") : std::string(1, c);
    AfxTrace(TraceLevel::Debug, "orvanel.console", traced);
    SetDlgItemText(IDC_OUTPUT_IN_USE, m_strOutputShown = std::move(shown));
}

// ---- Continuous sending ------------------------------------------------------------------------
// Each mode runs inside its button's click handler and keeps the console usable by pumping the
// message queue between frames, so every other handler, a second press of either loop button
// among them, can run nested inside the loop.

bool CConsoleDlg::ToggleLoop(int nButton, int nIdleTextId)
{
    // A loop started once the console has been told to close would run on with no window to stop
    // it from, so a press that would start one then does nothing.
    if (!g_bLoopRunning && !IsWindowVisible())
        return false;
    g_bLoopRunning = !g_bLoopRunning;
    // The caption names only this button: after a stop by the other button, the button that
    // started the loop keeps its stop caption until it is pressed again.
    SetDlgItemText(nButton, loadString(g_bLoopRunning ? IDS_STOP_SENDING : nIdleTextId));
    return g_bLoopRunning;
}

void CConsoleDlg::OnAutoSend()
{
    // A press that stops a loop only clears the flag; the loop itself lies further down this call
    // stack and ends after its current cycle's frame.
    if (!ToggleLoop(IDC_AUTO_SEND, IDS_AUTO_SEND))
        return;
    m_frameSender.PostponeRefresh();
    while (g_bLoopRunning) {
        runPasses(kAutoSendPassMs);
        SendFrame();
    }
    AfxMessageBox(loadString(IDS_SENDING_STOPPED), MB_OK);
}

void CConsoleDlg::OnRampSend()
{
    if (!ToggleLoop(IDC_RAMP_SEND, IDS_RAMP_SEND))
        return;
    m_frameSender.PostponeRefresh();
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
    AfxMessageBox(loadString(IDS_SENDING_STOPPED), MB_OK);
}
