#include "WinApp.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
CWinApp* g_pApp = nullptr;
} // namespace

CWinApp::CWinApp(const char* pszAppName) : m_pszAppName(pszAppName)
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

QString AfxGetAppName()
{
    if (g_pApp && g_pApp->m_pszAppName)
        return QString::fromUtf8(g_pApp->m_pszAppName);
    QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        name.chop(4);
    return name;
}
