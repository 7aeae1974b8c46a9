// The program's start on Qt: the command line, the application object and its InitInstance.
#include "framework/Backend.h"
#include "framework/WinApp.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

void writeCommandLineText(const std::string& text, bool error)
{
    std::fputs(text.c_str(), error ? stderr : stdout);
}

std::string executableBaseName()
{
    QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        name.chop(4);
    return name.toStdString();
}

int AfxWinMain(int argc, char* argv[], const char* versionText)
{
    if (const std::optional<int> status = AfxAnswerCommandLine(argc, argv, versionText))
        return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QString::fromUtf8(versionText));
    CWinApp* application = AfxGetApp();
    // Ties the windows to the desktop entry (and so to its icon) where the desktop asks by id.
    if (application && application->m_pszAppID)
        QGuiApplication::setDesktopFileName(QString::fromUtf8(application->m_pszAppID));
    // The process ends when the application's InitInstance returns; message boxes that outlive
    // the console must not end the event loops themselves.
    QApplication::setQuitOnLastWindowClosed(false);
    if (application)
        application->InitInstance();
    return 0;
}
