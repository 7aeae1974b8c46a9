#include "console/AboutDlg.h"
#include "console/ConsoleDlg.h"
#include "console/ThePort.h"
#include "console/framework/MessageBox.h"
#include "dmx/Sleep.h"
#include "res/resource.h"
#include "support/FakeSerialDevice.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include <functional>

FakeSerialDevice g_fake;
CSerialPort thePort(g_fake);

namespace {

// The console with its window commands within reach of the test.
class Console : public CConsoleDlg
{
public:
    using CConsoleDlg::OnSysCommand;
};

struct AboutBoxSeen
{
    QString caption;
    QStringList texts;
    bool iconShown = false;
    bool okIsDefault = false;
};
std::vector<AboutBoxSeen> g_aboutBoxes;

// Watches for about boxes while context lives, notes what each shows and closes it with "确定".
void closeAboutBoxWhenShown(QObject* context)
{
    QTimer::singleShot(10, context, [context] {
        closeAboutBoxWhenShown(context);
        auto* box = dynamic_cast<CAboutDlg*>(QApplication::activeModalWidget());
        if (!box)
            return;
        AboutBoxSeen seen;
        seen.caption = box->windowTitle();
        for (QLabel* label : box->findChildren<QLabel*>()) {
            if (label->pixmap().isNull())
                seen.texts << label->text();
            else
                seen.iconShown = true;
        }
        auto* ok = qobject_cast<QPushButton*>(box->GetDlgItem(IDOK));
        seen.okIsDefault = ok && ok->isDefault() && ok->text() == QStringLiteral("确定");
        g_aboutBoxes.push_back(seen);
        if (ok)
            QTest::mouseClick(ok, Qt::LeftButton);
    });
}

int runConsole(Console& dlg, const std::function<void()>& script)
{
    QTimer::singleShot(0, &dlg, [&] {
        if (QTest::qWaitForWindowExposed(&dlg))
            script();
        dlg.EndDialog(IDCANCEL);
    });
    return dlg.DoModal();
}

int recordBox(QWidget*, const QString&, const QString&)
{
    return IDOK;
}

} // namespace

class AboutBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        setSleepFunction([](unsigned) {});
        setMessageBoxFunction(recordBox);
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void init() { g_aboutBoxes.clear(); }

    void windowMenuEndsWithTheAboutEntry();
    void aboutEntryOpensTheAboutBox();
    void commandIdsOpenTheBoxByTheirHighBits();
    void contextMenuComesFromMouseAndKeyboard();
};

void AboutBoxTest::windowMenuEndsWithTheAboutEntry()
{
    Console dlg;
    runConsole(dlg, [&] {
        CMenu* menu = dlg.GetSystemMenu(false);
        QVERIFY(menu);
        const QList<QAction*> actions = menu->menu()->actions();
        QVERIFY(actions.size() >= 2);
        QVERIFY(actions[actions.size() - 2]->isSeparator());
        QCOMPARE(actions.last()->text(), QStringLiteral("关于 Orvanel(&A)..."));
        QCOMPARE(actions.last()->data().toUInt(), IDM_ABOUTBOX);
        // The window's own commands come first and still work.
        QCOMPARE(actions.first()->data().toUInt(), SC_MINIMIZE);
    });
}

void AboutBoxTest::aboutEntryOpensTheAboutBox()
{
    Console dlg;
    runConsole(dlg, [&] {
        closeAboutBoxWhenShown(&dlg);
        dlg.GetSystemMenu(false)->menu()->actions().last()->trigger();
    });
    QCOMPARE(g_aboutBoxes.size(), size_t{1});
    const AboutBoxSeen& seen = g_aboutBoxes.front();
    QCOMPARE(seen.caption, QStringLiteral("关于 Orvanel"));
    QVERIFY(seen.texts.contains(QStringLiteral("Orvanel 1.1 版")));
    QCOMPARE(seen.texts.size(), 2);
    QVERIFY(seen.iconShown);
    QVERIFY(seen.okIsDefault);
}

void AboutBoxTest::commandIdsOpenTheBoxByTheirHighBits()
{
    Console dlg;
    runConsole(dlg, [&] {
        closeAboutBoxWhenShown(&dlg);
        for (unsigned id : {0x0010u, 0x0011u, 0x001Fu})
            dlg.OnSysCommand(id, 0);
        QCOMPARE(g_aboutBoxes.size(), size_t{3});
        for (unsigned id : {0x0000u, 0x0020u, 0x0110u})
            dlg.OnSysCommand(id, 0);
        QTest::qWait(50);
        QCOMPARE(g_aboutBoxes.size(), size_t{3});
        QVERIFY(dlg.isVisible());
    });
}

void AboutBoxTest::contextMenuComesFromMouseAndKeyboard()
{
    Console dlg;
    runConsole(dlg, [&] {
        QMenu* menu = dlg.GetSystemMenu(false)->menu();
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                dlg.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&dlg, &click);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();

        dlg.GetDlgItem(IDC_SEND)->setFocus();
        QTest::keyClick(dlg.GetDlgItem(IDC_SEND), Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();

        // Close from the menu ends the console as Cancel does.
        closeAboutBoxWhenShown(&dlg);
        menu->actions().at(1)->trigger();
        QTRY_VERIFY(!dlg.isVisible());
    });
    QCOMPARE(dlg.result(), static_cast<int>(IDCANCEL));
}

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
