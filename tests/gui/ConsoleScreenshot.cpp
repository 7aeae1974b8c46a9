// Saves a picture of a dialog to the file given on the command line: the console as it looks
// once it has started, or the bare dialog of another template id. Runs on a fake serial device;
// not part of the test run.

#include "console/ConsoleDlg.h"
#include "console/ThePort.h"
#include "console/framework/MessageBox.h"
#include "dmx/Sleep.h"
#include "res/Resources.h"
#include "res/resource.h"
#include "support/FakeSerialDevice.h"

#include <QApplication>
#include <QTimer>
#include <QtTest>

#include <cstdio>
#include <cstdlib>
#include <memory>

FakeSerialDevice g_fake;
CSerialPort thePort(g_fake);

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s FILE.png [TEMPLATE-ID]\n", argv[0]);
        return 2;
    }
    const int id = argc == 3 ? std::atoi(argv[2]) : IDD_CONSOLE;
    setSleepFunction([](unsigned) {});
    setMessageBoxFunction([](QWidget*, const QString&, const QString&) { return IDOK; });

    const std::unique_ptr<CDialog> dlg = id == IDD_CONSOLE
                                             ? std::make_unique<CConsoleDlg>()
                                             : std::make_unique<CDialog>(dialogTemplate(id));
    bool saved = false;
    QTimer::singleShot(0, dlg.get(), [&] {
        if (QTest::qWaitForWindowExposed(dlg.get())) {
            QTest::qWait(300);
            saved = dlg->grab().save(QString::fromLocal8Bit(argv[1]));
        }
        dlg->EndDialog(IDOK);
    });
    dlg->DoModal();
    return saved ? 0 : 1;
}
