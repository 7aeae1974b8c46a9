// Saves a picture of the console, as it looks once it has started, to the file given on the
// command line. Runs on a fake serial device; not part of the test run.

#include "console/ConsoleDlg.h"
#include "console/ThePort.h"
#include "console/framework/MessageBox.h"
#include "dmx/Sleep.h"
#include "support/FakeSerialDevice.h"

#include <QApplication>
#include <QTimer>
#include <QtTest>

#include <cstdio>

FakeSerialDevice g_fake;
CSerialPort thePort(g_fake);

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.png\n", argv[0]);
        return 2;
    }
    setSleepFunction([](unsigned) {});
    setMessageBoxFunction([](QWidget*, const QString&, const QString&) { return IDOK; });

    CConsoleDlg dlg;
    bool saved = false;
    QTimer::singleShot(0, &dlg, [&] {
        if (QTest::qWaitForWindowExposed(&dlg)) {
            QTest::qWait(300);
            saved = dlg.grab().save(QString::fromLocal8Bit(argv[1]));
        }
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
    return saved ? 0 : 1;
}
