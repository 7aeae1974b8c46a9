#include "ConsoleApp.h"

#include "console/ConsoleDlg.h"
#include "console/OutputOption.h"
#include "res/resource.h"

CConsoleApp::CConsoleApp() : CWinApp(nullptr)
{
    m_pszAppID = ORVANEL_APP_ID;
    m_commandLineOptions.push_back(
        {"output", "KIND:WHERE", IDS_OUTPUT_OPTION,
         [this](const std::string& value) { return takeOutputOption(value, m_startupOutput); }});
}

bool CConsoleApp::InitInstance()
{
    // The dialog layer hosts its controls and draws them in the platform's style; there is
    // nothing to prepare.
    CConsoleDlg dlg(nullptr, m_startupOutput);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The console was the application; there is nothing left to run.
    return false;
}
