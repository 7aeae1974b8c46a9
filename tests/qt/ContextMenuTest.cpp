// The window menu where the window manager keeps its own: the dialog's context menu.
#include "RunShown.h"

#include "console/ConsoleDlg.h"
#include "dmx/Sleep.h"
#include "framework/MessageBox.h"
#include "res/resource.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QtTest>

class ContextMenuTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void comesFromMouseAndKeyboard();
};

void ContextMenuTest::initTestCase()
{
    setSleepFunction([](unsigned) {});
    setMessageBoxFunction([](const MessageBoxRequest&) { return IDOK; });
    QApplication::setQuitOnLastWindowClosed(false);
}

void ContextMenuTest::comesFromMouseAndKeyboard()
{
    CConsoleDlg console;
    const int result = runShown(console, [](DialogWindow& window) {
        QMenu* menu = window.systemMenu(false);
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                window.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&window, &click);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();

        QWidget* send = window.item(IDC_SEND);
        send->setFocus();
        QTest::keyClick(send, Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();

        // Close from the menu ends the console as Cancel does.
        menu->actions().at(1)->trigger();
        QTRY_VERIFY(!window.isVisible());
    });
    QCOMPARE(result, static_cast<int>(IDCANCEL));
}

QTEST_MAIN(ContextMenuTest)
#include "ContextMenuTest.moc"
