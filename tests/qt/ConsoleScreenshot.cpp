// Saves a picture of a dialog to the file given on the command line: the console as it looks
// once it has started, or the bare dialog of another template id. Runs on a fake serial device.

#include "console/ConsoleDlg.h"
#include "dmx/Sleep.h"
#include "framework/MessageBox.h"
#include "framework/qt/DialogWindow.h"
#include "res/resource.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s FILE.png [TEMPLATE-ID]\n", argv[0]);
        return 2;
    }
    const int id = argc == 3 ? std::atoi(argv[2]) : IDD_CONSOLE;
    if (id != IDD_CONSOLE && id != IDD_ABOUTBOX && id != IDD_PORT_SETTINGS) {
        std::fprintf(stderr, "%s: no dialog template %s\n", argv[0], argv[2]);
        return 2;
    }
    QApplication::setQuitOnLastWindowClosed(false);
    setSleepFunction([](unsigned) {});
    setMessageBoxFunction([](const MessageBoxRequest&) { return IDOK; });

    const std::unique_ptr<CDialog> dlg =
        id == IDD_CONSOLE ? std::make_unique<CConsoleDlg>() : std::make_unique<CDialog>(id);
    bool saved = false;
    QTimer::singleShot(0, [&] {
        if (DialogWindow* window = DialogWindow::of(*dlg); QTest::qWaitForWindowExposed(window)) {
            QTest::qWait(300);
            saved = window->grab().save(QString::fromLocal8Bit(argv[1]));
        }
        dlg->EndDialog(IDOK);
    });
    dlg->DoModal();
    return saved ? 0 : 1;
}
