// The program's start on Qt: the command line, the application object and its InitInstance.
#include "framework/Backend.h"
#include "framework/FormatString.h"
#include "framework/Resources.h"
#include "framework/WinApp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

namespace {
constexpr int kUsageError = 2;

QString unexpectedArgument(const QString& argument)
{
    return QString::fromStdString(
        AfxFormatString(AFX_IDS_UNEXPECTED_ARGUMENT, {argument.toStdString()}));
}

// A command line with arguments never starts the program: --help and --version print to
// standard output and give 0; anything else is refused with the reason and the help text on
// standard error and gives 2. It needs no display, so both work from a text console.
int answerCommandLine(int argc, char* argv[], const char* versionText)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QString::fromUtf8(versionText));
    QCommandLineParser parser;
    // "-platform" is one unknown option, not eight unknown letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QString::fromStdString(loadString(AFX_IDS_APP_DESCRIPTION)));
    // Not addHelpOption(): its --help-all speaks of Qt's own options, which are refused here.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QString::fromStdString(loadString(AFX_IDS_HELP_OPTION)));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();

    QString error;
    if (!parser.parse(QCoreApplication::arguments())) {
        error = parser.errorText();
    } else if (!parser.positionalArguments().isEmpty()) {
        error = unexpectedArgument(parser.positionalArguments().constFirst());
    } else if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    } else if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    } else {
        // Parsed, yet asking for nothing: a lone "--".
        error = unexpectedArgument(QCoreApplication::arguments().value(1));
    }
    std::fprintf(stderr, "%s\n\n%s", qPrintable(error), qPrintable(parser.helpText()));
    return kUsageError;
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
