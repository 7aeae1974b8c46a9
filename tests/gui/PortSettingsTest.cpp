#include "console/ConsoleDlg.h"
#include "console/ContinuousSend.h"
#include "console/PortSettingsDlg.h"
#include "console/ThePort.h"
#include "console/framework/MessageBox.h"
#include "dmx/Sleep.h"
#include "res/resource.h"
#include "support/FakeSerialDevice.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <functional>

// The console's port, on a device that records what is done to it.
FakeSerialDevice g_fake;
CSerialPort thePort(g_fake);

namespace {
QStringList g_boxes; // the texts of the message boxes shown
QWidget* g_lastBoxOwner = nullptr;

int recordBox(QWidget* owner, const QString&, const QString& text)
{
    g_boxes << text;
    g_lastBoxOwner = owner;
    return IDOK;
}

void noSleep(unsigned) {}

// COM1 is a USB adapter and COM3 a USB modem; nothing else is present.
std::optional<std::string> fakePortDevice(int portNumber)
{
    if (portNumber == 1)
        return "/dev/ttyUSB0";
    if (portNumber == 3)
        return "/dev/ttyACM0";
    return std::nullopt;
}

template <typename T> T* item(CDialog& dlg, int id)
{
    auto* widget = qobject_cast<T*>(dlg.GetDlgItem(id));
    Q_ASSERT(widget);
    return widget;
}

// Runs the console modally while script drives it, then closes it.
void runConsole(CConsoleDlg& console, const std::function<void()>& script)
{
    QTimer::singleShot(0, &console, [&] {
        if (QTest::qWaitForWindowExposed(&console))
            script();
        if (console.isVisible())
            console.EndDialog(IDCANCEL);
    });
    console.DoModal();
}

// Presses the console's open-port button and lets drive work the settings dialog once it is up.
// A dialog that drive leaves open is closed, so that a failed check cannot hang the run.
// Returns whether the dialog came up.
bool pressOpenPort(CConsoleDlg& console, const std::function<void(CPortSettingsDlg&)>& drive)
{
    bool shown = false;
    QTimer::singleShot(0, &console, [&] {
        CPortSettingsDlg* settings = nullptr;
        const bool up = QTest::qWaitFor([&] {
            settings = dynamic_cast<CPortSettingsDlg*>(QApplication::activeModalWidget());
            return settings != nullptr;
        });
        if (!up || !QTest::qWaitForWindowExposed(settings))
            return;
        shown = true;
        drive(*settings);
        if (settings->isVisible())
            settings->EndDialog(-1);
    });
    QTest::mouseClick(console.GetDlgItem(IDC_OPEN_PORT), Qt::LeftButton);
    return shown;
}

// Runs action from the event loop once condition holds, looking again at every pass.
void whenTrue(QObject* context, const std::function<bool()>& condition,
              const std::function<void()>& action)
{
    QTimer::singleShot(0, context, [=] {
        if (condition())
            action();
        else
            whenTrue(context, condition, action);
    });
}

// The frames that left the device from call number first on.
int framesSince(size_t first)
{
    int count = 0;
    for (size_t i = first; i < g_fake.calls.size(); ++i)
        count += g_fake.calls[i] == "startWrite(512)";
    return count;
}

void typeRate(CPortSettingsDlg& settings, const QString& text)
{
    auto* rate = item<QLineEdit>(settings, IDC_BAUD);
    rate->setFocus(Qt::MouseFocusReason);
    rate->clear();
    QTest::keyClicks(rate, text);
}
} // namespace

class PortSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void templateListAndTooltips();
    void okOpensTheChosenPort_data();
    void okOpensTheChosenPort();
    void cancellingLeavesThePortAlone_data();
    void cancellingLeavesThePortAlone();
    void rateThatIsNoIntegerKeepsTheDialogOpen_data();
    void rateThatIsNoIntegerKeepsTheDialogOpen();
    void failedOpenLeavesNoPortOpen_data();
    void failedOpenLeavesNoPortOpen();
    void runningLoopWaitsAndGoesOnWithTheNewPort();
};

void PortSettingsTest::initTestCase()
{
    setSleepFunction(noSleep);
    setMessageBoxFunction(recordBox);
    setPortDeviceFunction(fakePortDevice);
    QApplication::setQuitOnLastWindowClosed(false);
}

void PortSettingsTest::init()
{
    thePort.Close();
    g_fake.clearRecord();
    g_fake.presentPorts = {1, 2, 3, 4, 5, 6, 7, 8};
    g_fake.refuseSettings = false;
    g_boxes.clear();
}

void PortSettingsTest::templateListAndTooltips()
{
    CPortSettingsDlg dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("串口设置"));
    QCOMPARE(dlg.font().pointSize(), 10);
    QCOMPARE(dlg.minimumSize(), dlg.maximumSize());

    // The controls in template order, which is their tab order, each inside the dialog and clear
    // of the others: the closed list is one line high, above the rate field.
    const QStringList expected = {"1 确定", "2 取消", " 串口:", "1001 ", " 波特率:", "1010 "};
    const QList<QWidget*> widgets = dlg.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QStringList found;
    for (QWidget* widget : widgets) {
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget))
            text = label->text();
        else if (auto* button = qobject_cast<QPushButton*>(widget))
            text = button->text();
        found << widget->objectName() + " " + text;
        QVERIFY(widget->fontMetrics().horizontalAdvance(text) <= widget->width());
        QVERIFY(dlg.rect().contains(widget->geometry()));
        for (QWidget* other : widgets)
            QVERIFY(other == widget || !other->geometry().intersects(widget->geometry()));
    }
    QCOMPARE(found, expected);

    // Unsorted, in port order; each entry tells which device it stands for here.
    auto* list = item<QComboBox>(dlg, IDC_PORT_LIST);
    QVERIFY(!list->isEditable());
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    QCOMPARE(entries,
             QStringList({"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"}));
    QCOMPARE(list->itemData(0, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(list->itemData(2, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyACM0"));
    for (int i : {1, 3, 7})
        QCOMPARE(list->itemData(i, Qt::ToolTipRole).toString(),
                 QStringLiteral("此计算机上没有此串口"));
    // Closed, the list names the device of the chosen entry.
    QCOMPARE(list->toolTip(), QStringLiteral("/dev/ttyUSB0"));
    list->setCurrentIndex(2);
    QCOMPARE(list->toolTip(), QStringLiteral("/dev/ttyACM0"));
}

void PortSettingsTest::okOpensTheChosenPort_data()
{
    QTest::addColumn<std::function<void(CPortSettingsDlg&)>>("choose");
    QTest::addColumn<int>("port");
    QTest::addColumn<unsigned>("rate");

    QTest::newRow("OK without changes") << std::function([](CPortSettingsDlg& settings) {
        QTest::mouseClick(settings.GetDlgItem(IDOK), Qt::LeftButton);
    }) << 1 << 250000u;
    QTest::newRow("COM3 by keys, Enter") << std::function([](CPortSettingsDlg& settings) {
        auto* list = item<QComboBox>(settings, IDC_PORT_LIST);
        list->setFocus(Qt::TabFocusReason);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentText(), QStringLiteral("COM3"));
        QTest::keyClick(list, Qt::Key_Return);
    }) << 3 << 250000u;
    QTest::newRow("COM8 at 9600, Enter in the rate")
        << std::function([](CPortSettingsDlg& settings) {
               item<QComboBox>(settings, IDC_PORT_LIST)->setCurrentIndex(7);
               typeRate(settings, QStringLiteral(" 9600 "));
               QTest::keyClick(settings.GetDlgItem(IDC_BAUD), Qt::Key_Enter);
           })
        << 8 << 9600u;
}

void PortSettingsTest::okOpensTheChosenPort()
{
    QFETCH(std::function<void(CPortSettingsDlg&)>, choose);
    QFETCH(int, port);
    QFETCH(unsigned, rate);

    CConsoleDlg console;
    runConsole(console, [&] {
        QVERIFY(thePort.IsOpen());
        g_fake.clearRecord();
        QVERIFY(pressOpenPort(console, choose));

        // The port in use is closed before the chosen one opens at the chosen rate.
        QVERIFY(thePort.IsOpen());
        QVERIFY(g_boxes.empty());
        const auto opens = g_fake.callsStartingWith("openExclusive");
        QCOMPARE(opens, std::vector<std::string>{"openExclusive(" + std::to_string(port) + ")"});
        const auto close = std::find(g_fake.calls.begin(), g_fake.calls.end(), "close");
        QVERIFY(close < std::find(g_fake.calls.begin(), g_fake.calls.end(), opens[0]));
        QCOMPARE(g_fake.callsStartingWith("setLineSettings").front(),
                 "setLineSettings(" + std::to_string(rate) + ")");
        QCOMPARE(g_fake.timeouts.WriteTotalTimeoutMultiplier, 19200 / rate);

        // Opened again, it shows neither the port nor the rate in use.
        QVERIFY(pressOpenPort(console, [](CPortSettingsDlg& settings) {
            QCOMPARE(item<QComboBox>(settings, IDC_PORT_LIST)->currentIndex(), 0);
            QCOMPARE(settings.GetDlgItemText(IDC_BAUD), QStringLiteral("250000"));
            QCOMPARE(QApplication::focusWidget(), settings.GetDlgItem(IDOK));
        }));
    });
}

void PortSettingsTest::cancellingLeavesThePortAlone_data()
{
    QTest::addColumn<std::function<void(CPortSettingsDlg&)>>("cancel");

    QTest::newRow("Cancel button") << std::function([](CPortSettingsDlg& settings) {
        QTest::mouseClick(settings.GetDlgItem(IDCANCEL), Qt::LeftButton);
    });
    QTest::newRow("Esc") << std::function([](CPortSettingsDlg& settings) {
        QTest::keyClick(settings.GetDlgItem(IDC_BAUD), Qt::Key_Escape);
    });
    QTest::newRow("close box") << std::function(
        [](CPortSettingsDlg& settings) { settings.close(); });
}

void PortSettingsTest::cancellingLeavesThePortAlone()
{
    QFETCH(std::function<void(CPortSettingsDlg&)>, cancel);

    CConsoleDlg console;
    runConsole(console, [&] {
        g_fake.clearRecord();
        QVERIFY(pressOpenPort(console, [&](CPortSettingsDlg& settings) {
            // The console owns the dialog and takes no input while it is open.
            QCOMPARE(settings.parentWidget(), &console);
            QCOMPARE(QApplication::activeModalWidget(), &settings);
            item<QComboBox>(settings, IDC_PORT_LIST)->setCurrentIndex(2);
            typeRate(settings, QStringLiteral("abc"));
            cancel(settings);
            QVERIFY(!settings.isVisible());
        }));
        QVERIFY(thePort.IsOpen());
        QCOMPARE(g_fake.calls, std::vector<std::string>{});
        QVERIFY(g_boxes.empty());
    });
}

void PortSettingsTest::rateThatIsNoIntegerKeepsTheDialogOpen_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("letters") << QStringLiteral("abc");
    QTest::newRow("empty") << QString();
}

void PortSettingsTest::rateThatIsNoIntegerKeepsTheDialogOpen()
{
    QFETCH(QString, text);

    CConsoleDlg console;
    runConsole(console, [&] {
        g_fake.clearRecord();
        QVERIFY(pressOpenPort(console, [&](CPortSettingsDlg& settings) {
            item<QComboBox>(settings, IDC_PORT_LIST)->setCurrentIndex(1);
            typeRate(settings, text);
            QTest::mouseClick(settings.GetDlgItem(IDOK), Qt::LeftButton);

            // One prompt, over the dialog, which stays open with the field ready for a number.
            QCOMPARE(g_boxes.join(u'|'), QStringLiteral("请输入一个整数。"));
            QCOMPARE(g_lastBoxOwner, &settings);
            QVERIFY(settings.isVisible());
            auto* rate = item<QLineEdit>(settings, IDC_BAUD);
            QCOMPARE(QApplication::focusWidget(), rate);
            QCOMPARE(rate->selectedText(), text);
            QVERIFY(g_fake.calls.empty());

            // Corrected, the same dialog goes on to open the port.
            QTest::keyClicks(rate, QStringLiteral("115200"));
            QTest::mouseClick(settings.GetDlgItem(IDOK), Qt::LeftButton);
            QVERIFY(!settings.isVisible());
        }));
        QCOMPARE(g_boxes.size(), 1);
        QVERIFY(thePort.IsOpen());
        QCOMPARE(g_fake.callsStartingWith("openExclusive"),
                 std::vector<std::string>{"openExclusive(2)"});
        QCOMPARE(g_fake.callsStartingWith("setLineSettings").front(), "setLineSettings(115200)");
    });
}

void PortSettingsTest::failedOpenLeavesNoPortOpen_data()
{
    QTest::addColumn<QString>("rate");
    QTest::addColumn<bool>("deviceRefusesRate");
    QTest::addColumn<bool>("com2Present");
    QTest::addColumn<QString>("deviceCalls"); // what the device was asked after the close

    // A negative rate reaches the device as the unsigned number of the same bits.
    QTest::newRow("negative rate")
        << "-1" << true << true << "openExclusive(2)|setLineSettings(4294967295)";
    QTest::newRow("rate 0") << "0" << false << true << "";
    QTest::newRow("absent port") << "250000" << false << false << "openExclusive(2)";
}

void PortSettingsTest::failedOpenLeavesNoPortOpen()
{
    QFETCH(QString, rate);
    QFETCH(bool, deviceRefusesRate);
    QFETCH(bool, com2Present);
    QFETCH(QString, deviceCalls);

    CConsoleDlg console;
    runConsole(console, [&] {
        QVERIFY(thePort.IsOpen());
        g_fake.clearRecord();
        g_fake.refuseSettings = deviceRefusesRate;
        if (!com2Present)
            g_fake.presentPorts.erase(2);
        QVERIFY(pressOpenPort(console, [&](CPortSettingsDlg& settings) {
            item<QComboBox>(settings, IDC_PORT_LIST)->setCurrentIndex(1);
            typeRate(settings, rate);
            QTest::mouseClick(settings.GetDlgItem(IDOK), Qt::LeftButton);
        }));

        // The old port was closed first; the console goes on without one and sends nothing.
        QCOMPARE(g_boxes.join(u'|'), QStringLiteral("打开串口失败！"));
        QVERIFY(!thePort.IsOpen());
        QVERIFY(!g_fake.open);
        QVERIFY(std::find(g_fake.calls.begin(), g_fake.calls.end(), "close") != g_fake.calls.end());
        QStringList asked;
        for (const auto& call : g_fake.calls)
            if (call.starts_with("openExclusive") || call.starts_with("setLineSettings"))
                asked << QString::fromStdString(call);
        QCOMPARE(asked.join(u'|'), deviceCalls);

        g_fake.clearRecord();
        QTest::mouseClick(console.GetDlgItem(IDC_SEND), Qt::LeftButton);
        QVERIFY(g_fake.writes.empty());
    });
}

void PortSettingsTest::runningLoopWaitsAndGoesOnWithTheNewPort()
{
    CConsoleDlg console;
    runConsole(console, [&] {
        QWidget* autoSend = console.GetDlgItem(IDC_AUTO_SEND);
        g_fake.clearRecord();
        size_t reopenedAt = 0;
        // Everything below runs inside the passes of the loop that the last line starts.
        whenTrue(
            &console, [] { return framesSince(0) >= 2; },
            [&] {
                const bool shown = pressOpenPort(console, [&](CPortSettingsDlg& settings) {
                    const size_t sent = g_fake.writes.size();
                    QTest::qWait(30);
                    item<QComboBox>(settings, IDC_PORT_LIST)->setCurrentIndex(2);
                    QTest::mouseClick(settings.GetDlgItem(IDOK), Qt::LeftButton);
                    QCOMPARE(g_fake.writes.size(), sent);
                });
                reopenedAt = g_fake.calls.size();
                if (!shown)
                    g_bLoopRunning = false;
                QVERIFY(shown);
                whenTrue(
                    &console, [&] { return framesSince(reopenedAt) >= 2; },
                    [&] { QTest::mouseClick(autoSend, Qt::LeftButton); });
            });
        QTest::mouseClick(autoSend, Qt::LeftButton);

        QCOMPARE(g_boxes.join(u'|'), QStringLiteral("已停止发送"));
        QVERIFY(thePort.IsOpen());
        QCOMPARE(g_fake.callsStartingWith("openExclusive"),
                 std::vector<std::string>{"openExclusive(3)"});
        QVERIFY(framesSince(reopenedAt) >= 2);
    });
}

QTEST_MAIN(PortSettingsTest)
#include "PortSettingsTest.moc"
