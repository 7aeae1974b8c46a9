#include "ConsoleDlg.h"

#include "AboutDlg.h"
#include "ContinuousSend.h"
#include "ThePort.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "res/Resources.h"
#include "res/resource.h"

CConsoleDlg::CConsoleDlg(QWidget* pParent)
    : CDialog(dialogTemplate(IDD_CONSOLE), pParent), m_hIcon(loadIcon(IDR_MAINFRAME))
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

int CConsoleDlg::GetDlgItemInt(int nId) const
{
    return CDialog::GetDlgItemInt(nId);
}

void CConsoleDlg::SendFrame()
{
    ::SendFrame(*this, thePort);
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
        const QString strAboutMenu = loadString(IDS_ABOUTBOX);
        if (!strAboutMenu.isEmpty()) {
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

    // Shown before the console itself, which then runs without a port.
    if (!thePort.Open(1, 250000))
        AfxMessageBox(QStringLiteral("打开串口失败！"), MB_OK);

    return true;
}

void CConsoleDlg::OnSysCommand(unsigned nID, long lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
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

CSliderCtrl& CConsoleDlg::slider(int nStrip)
{
    CSliderCtrl* const sliders[kStripCount] = {&m_slider1, &m_slider2, &m_slider3,
                                               &m_slider4, &m_slider5, &m_slider6};
    return *sliders[nStrip - 1];
}
