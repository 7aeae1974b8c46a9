#include "ConsoleApp.h"
#include "console/SerialTexts.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace {

// A command line with arguments never starts the console: --help and --version print to
// standard output and give 0; anything else is refused with the reason and the help text on
// standard error and gives 2. It needs no display, so both work from a text console.
int runCommandLine(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(ORVANEL_VERSION));
    QCommandLineParser parser;
    // "-platform" is one unknown option, not eight unknown letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Desktop console for DMX512 lighting control over a serial port.\n"
                       "Without arguments it starts the console."));
    // Not addHelpOption(): its --help-all speaks of Qt's own options, which are refused here.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays help on commandline options."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();

    QString error;
    if (!parser.parse(QCoreApplication::arguments())) {
        error = parser.errorText();
    } else if (!parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("Unexpected argument '%1'.")
                    .arg(parser.positionalArguments().constFirst());
    } else if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    } else if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    } else {
        // Parsed, yet asking for nothing: a lone "--".
        error =
            QStringLiteral("Unexpected argument '%1'.").arg(QCoreApplication::arguments().value(1));
    }
    std::fprintf(stderr, "%s\n\n%s", qPrintable(error), qPrintable(parser.helpText()));
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1)
        return runCommandLine(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(ORVANEL_VERSION));
    // Ties the windows to the desktop entry (and so to its icon) where the desktop asks by id.
    QGuiApplication::setDesktopFileName(QStringLiteral(ORVANEL_APP_ID));
    // The process ends when the console's modal run does; message boxes that outlive the console
    // must not end the event loops themselves.
    QApplication::setQuitOnLastWindowClosed(false);
    installSerialTextSinks();

    theApp.InitInstance();
    return 0;
}
