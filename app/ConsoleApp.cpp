#include "ConsoleApp.h"

#include "console/ConsoleDlg.h"

CConsoleApp::CConsoleApp() : CWinApp(nullptr)
{
    m_pszAppID = ORVANEL_APP_ID;
}

bool CConsoleApp::InitInstance()
{
    // The dialog layer hosts its controls and draws them in the platform's style; there is
    // nothing to prepare.
    CConsoleDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The console was the application; there is nothing left to run.
    return false;
}
