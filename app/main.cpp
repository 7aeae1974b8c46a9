#include "ConsoleApp.h"
#include "console/SerialTexts.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(ORVANEL_VERSION));
    // The process ends when the console's modal run does; message boxes that outlive the console
    // must not end the event loops themselves.
    QApplication::setQuitOnLastWindowClosed(false);
    installSerialTextSinks();

    theApp.InitInstance();
    return 0;
}
