// The program's start on Qt: the command line, the application object and its InitInstance.
#include "framework/Backend.h"
#include "framework/Resources.h"
#include "framework/WinApp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

namespace {
constexpr int kUsageError = 2;

// Answers --help and --version as Qt programs do; anything else on the command line is an error
// that shows the help. Without arguments there is nothing to answer.
int answerCommandLine(int argc, char* argv[], const char* versionText)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QString::fromUtf8(versionText));
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromStdString(loadString(AFX_IDS_APP_DESCRIPTION)));
    parser.addHelpOption();
    parser.addVersionOption();
    if (!parser.parse(QCoreApplication::arguments()) || !parser.positionalArguments().isEmpty()) {
        const QString error = parser.errorText().isEmpty()
                                  ? QStringLiteral("Unexpected argument '%1'.")
                                        .arg(parser.positionalArguments().constFirst())
                                  : parser.errorText();
        std::fprintf(stderr, "%s\n\n%s", qPrintable(error), qPrintable(parser.helpText()));
        return kUsageError;
    }
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion(); // exits
    parser.showHelp(0);       // exits
}
} // namespace

std::string executableBaseName()
{
    QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        name.chop(4);
    return name.toStdString();
}

int AfxWinMain(int argc, char* argv[], const char* versionText)
{
    if (argc > 1)
        return answerCommandLine(argc, argv, versionText);

    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QString::fromUtf8(versionText));
    // The process ends when the application's InitInstance returns; message boxes that outlive
    // the console must not end the event loops themselves.
    QApplication::setQuitOnLastWindowClosed(false);
    if (CWinApp* application = AfxGetApp())
        application->InitInstance();
    return 0;
}
