#include "console/ConsoleDlg.h"
#include "console/SerialTexts.h"
#include "console/ThePort.h"
#include "console/framework/MessageBox.h"
#include "console/framework/TrackBar.h"
#include "console/framework/WinApp.h"
#include "dmx/Sleep.h"
#include "res/resource.h"
#include "serial/Diagnostics.h"
#include "support/FakeSerialDevice.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <functional>

// The console's port, on a device that records what is written.
FakeSerialDevice g_fake;
CSerialPort thePort(g_fake);

namespace {
struct ShownBox
{
    QString caption;
    QString text;
    bool windowVisible; // whether any window was on screen when the box came up
};
std::vector<ShownBox> g_boxes;

int recordBox(QWidget*, const QString& caption, const QString& text)
{
    bool windowVisible = false;
    for (QWidget* widget : QApplication::topLevelWidgets())
        windowVisible = windowVisible || widget->isVisible();
    g_boxes.push_back({caption, text, windowVisible});
    return IDOK;
}

void noSleep(unsigned) {}

// The frames on the line so far: the 512-byte writes.
std::vector<std::vector<uint8_t>> frames()
{
    std::vector<std::vector<uint8_t>> result;
    for (const auto& write : g_fake.writes) {
        if (write.bytes.size() == kFrameLength)
            result.push_back(write.bytes);
    }
    return result;
}

int frameCount()
{
    return static_cast<int>(frames().size());
}

uint8_t lastSlot(int slot)
{
    return frames().back().at(static_cast<size_t>(slot));
}

// Runs the console modally while script drives it, then closes it if the script did not.
int runConsole(CConsoleDlg& dlg, const std::function<void()>& script)
{
    QTimer::singleShot(0, &dlg, [&] {
        if (QTest::qWaitForWindowExposed(&dlg))
            script();
        if (dlg.isVisible())
            dlg.EndDialog(-1);
    });
    return dlg.DoModal();
}

// Waits until painting has settled: no frame for a while.
void settle()
{
    int before = -1;
    while (before != frameCount()) {
        before = frameCount();
        QTest::qWait(60);
    }
}

QWidget* item(CConsoleDlg& dlg, int id)
{
    QWidget* widget = dlg.GetDlgItem(id);
    Q_ASSERT(widget);
    return widget;
}
} // namespace

class ConsoleDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void startsWithSixStripsAndSendsAFramePerSliderPaint();
    void templateTextsFitTheirControls();
    void runsWithoutAPortWhenCom1IsAbsent();
    void keyboardMovesSliderThreeToTheBottom();
    void typedValueWaitsForTheSendButton();
    void tabbingOntoAndOffASliderSendsFrames();
    void closesAsOkOrCancel_data();
    void closesAsOkOrCancel();
    void serialTextsReachTheLogAndTheOperator();
};

void ConsoleDlgTest::initTestCase()
{
    setSleepFunction(noSleep);
    setMessageBoxFunction(recordBox);
    QApplication::setQuitOnLastWindowClosed(false);
}

void ConsoleDlgTest::init()
{
    thePort.Close();
    g_fake.clearRecord();
    g_fake.presentPorts = {1, 2, 3, 4, 5, 6, 7, 8};
    g_boxes.clear();
}

void ConsoleDlgTest::startsWithSixStripsAndSendsAFramePerSliderPaint()
{
    CConsoleDlg dlg;
    runConsole(dlg, [&] {
        QVERIFY(thePort.IsOpen());
        QCOMPARE(g_fake.callsStartingWith("openExclusive"),
                 std::vector<std::string>{"openExclusive(1)"});
        QVERIFY(g_boxes.empty());

        QCOMPARE(dlg.windowTitle(), QStringLiteral("DMX控制台 - Belmaro"));
        QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
        QVERIFY(dlg.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(dlg.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!dlg.windowIcon().pixmap(QSize(16, 16)).isNull());
        QCOMPARE(QApplication::focusWidget(), item(dlg, IDOK));

        // Each slider paints once as the console shows, writing its value before the frame.
        QTRY_COMPARE(frameCount(), kStripCount);
        settle();
        QCOMPARE(frameCount(), kStripCount);
        const auto sent = frames();
        for (int k = 0; k < kStripCount; ++k) {
            std::vector<uint8_t> expected(kFrameLength, 0);
            for (int strip = 1; strip <= k + 1; ++strip)
                expected[static_cast<size_t>(strip)] = 1;
            QCOMPARE(sent[static_cast<size_t>(k)], expected);
        }
        for (int strip = 0; strip < kStripCount; ++strip) {
            QCOMPARE(dlg.GetDlgItemText(IDC_CHANNEL1 + strip), QString::number(strip + 1));
            QCOMPARE(dlg.GetDlgItemText(IDC_VALUE1 + strip), QStringLiteral("1"));
        }
        // The frames leave the port at the frame rate.
        QCOMPARE(g_fake.line.BaudRate, kFrameBaudRate);

        // Uncovering the whole console repaints every slider, and each sends a frame.
        dlg.update();
        QTRY_COMPARE(frameCount(), 2 * kStripCount);
    });
}

void ConsoleDlgTest::templateTextsFitTheirControls()
{
    CConsoleDlg dlg;
    const QRect client = dlg.rect();
    QList<QWidget*> widgets = dlg.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(widgets.size(), 26);
    for (QWidget* widget : widgets) {
        QVERIFY2(client.contains(widget->geometry()), qPrintable(widget->objectName()));
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget))
            text = label->text();
        else if (auto* button = qobject_cast<QPushButton*>(widget))
            text = button->text();
        if (!text.isEmpty()) {
            QVERIFY2(widget->fontMetrics().horizontalAdvance(text) <= widget->width(),
                     qPrintable(text));
        }
        for (QWidget* other : widgets) {
            QVERIFY2(other == widget || !other->geometry().intersects(widget->geometry()),
                     qPrintable(widget->objectName() + " overlaps " + other->objectName()));
        }
    }
    // The strips run left to right, each field above its slider above its value.
    for (int strip = 0; strip < kStripCount; ++strip) {
        const QRect channel = item(dlg, IDC_CHANNEL1 + strip)->geometry();
        const QRect slider = item(dlg, IDC_SLIDER1 + strip)->geometry();
        const QRect value = item(dlg, IDC_VALUE1 + strip)->geometry();
        QVERIFY(channel.bottom() < slider.top() && slider.bottom() < value.top());
        if (strip > 0)
            QVERIFY(item(dlg, IDC_SLIDER1 + strip - 1)->x() < slider.x());
    }
}

void ConsoleDlgTest::runsWithoutAPortWhenCom1IsAbsent()
{
    g_fake.presentPorts.erase(1);
    CConsoleDlg dlg;
    runConsole(dlg, [&] {
        QCOMPARE(g_boxes.size(), size_t(1));
        QCOMPARE(g_boxes[0].text, QStringLiteral("打开串口失败！"));
        QCOMPARE(g_boxes[0].caption, AfxGetAppName());
        QVERIFY2(!g_boxes[0].windowVisible, "the box must come before the console shows");

        QVERIFY(!thePort.IsOpen());
        QTRY_COMPARE(dlg.GetDlgItemText(IDC_VALUE6), QStringLiteral("1"));
        QTest::mouseClick(item(dlg, IDC_SEND), Qt::LeftButton);
        settle();
        QVERIFY(g_fake.writes.empty());
        QCOMPARE(g_boxes.size(), size_t(1));
    });
}

void ConsoleDlgTest::keyboardMovesSliderThreeToTheBottom()
{
    CConsoleDlg dlg;
    runConsole(dlg, [&] {
        QTRY_COMPARE(frameCount(), kStripCount);
        settle();
        auto* slider = qobject_cast<TrackBar*>(item(dlg, IDC_SLIDER3));
        slider->setFocus(Qt::TabFocusReason);
        settle();
        const int before = frameCount();

        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(slider, Qt::Key_PageDown);
            settle();
        }
        QTest::keyClick(slider, Qt::Key_End);
        QTRY_COMPARE(lastSlot(3), 255);
        QCOMPARE(dlg.GetDlgItemText(IDC_VALUE3), QStringLiteral("255"));

        // Every move went out, carrying channel 3's value at that moment and the others as set.
        const auto sent = frames();
        std::vector<int> levels;
        for (size_t i = static_cast<size_t>(before); i < sent.size(); ++i) {
            const auto& frame = sent[i];
            QCOMPARE(frame[0], 0);
            for (int strip : {1, 2, 4, 5, 6})
                QCOMPARE(frame[static_cast<size_t>(strip)], 1);
            if (levels.empty() || levels.back() != frame[3])
                levels.push_back(frame[3]);
        }
        QCOMPARE(levels, (std::vector<int>{52, 103, 154, 205, 255}));

        // Channel 3 is whatever its field holds.
        dlg.SetDlgItemText(IDC_CHANNEL3, QStringLiteral("100"));
        QTest::keyClick(slider, Qt::Key_Up);
        QTRY_COMPARE(lastSlot(100), 254);
        QCOMPARE(lastSlot(3), 0);
    });
}

void ConsoleDlgTest::typedValueWaitsForTheSendButton()
{
    CConsoleDlg dlg;
    runConsole(dlg, [&] {
        QTRY_COMPARE(frameCount(), kStripCount);
        auto* value2 = qobject_cast<QLineEdit*>(item(dlg, IDC_VALUE2));
        value2->setFocus(Qt::MouseFocusReason);
        settle();
        const int before = frameCount();

        value2->selectAll();
        QTest::keyClicks(value2, QStringLiteral("200"));
        QCOMPARE(value2->text(), QStringLiteral("200"));
        settle();
        QCOMPARE(frameCount(), before);

        QTest::mouseClick(item(dlg, IDC_SEND), Qt::LeftButton);
        QTRY_COMPARE(frameCount(), before + 1);
        QCOMPARE(lastSlot(2), 200);
        QCOMPARE(dlg.GetDlgItemInt(IDC_VALUE2), 200);

        // A paint of slider 2 itself writes its position over the typed value.
        item(dlg, IDC_SLIDER2)->update();
        QTRY_COMPARE(frameCount(), before + 2);
        QCOMPARE(lastSlot(2), 1);
        QCOMPARE(value2->text(), QStringLiteral("1"));
    });
}

void ConsoleDlgTest::tabbingOntoAndOffASliderSendsFrames()
{
    CConsoleDlg dlg;
    runConsole(dlg, [&] {
        QTRY_COMPARE(frameCount(), kStripCount);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), item(dlg, IDCANCEL));
        settle();
        const int before = frameCount();

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), item(dlg, IDC_SLIDER1));
        QTRY_COMPARE(frameCount(), before + 1);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), item(dlg, IDC_OPEN_PORT));
        QTRY_COMPARE(frameCount(), before + 2);
    });
}

void ConsoleDlgTest::closesAsOkOrCancel_data()
{
    QTest::addColumn<std::function<void(CConsoleDlg&)>>("close");
    QTest::addColumn<int>("result");

    QTest::newRow("Enter in a field") << std::function([](CConsoleDlg& dlg) {
        item(dlg, IDC_CHANNEL4)->setFocus();
        QTest::keyClick(item(dlg, IDC_CHANNEL4), Qt::Key_Return);
    }) << IDOK;
    QTest::newRow("Enter on a slider") << std::function([](CConsoleDlg& dlg) {
        item(dlg, IDC_SLIDER2)->setFocus();
        QTest::keyClick(item(dlg, IDC_SLIDER2), Qt::Key_Enter);
    }) << IDOK;
    QTest::newRow("Esc") << std::function([](CConsoleDlg& dlg) {
        QTest::keyClick(item(dlg, IDC_VALUE1), Qt::Key_Escape);
    }) << IDCANCEL;
    QTest::newRow("close box") << std::function([](CConsoleDlg& dlg) { dlg.close(); }) << IDCANCEL;
    QTest::newRow("OK button") << std::function([](CConsoleDlg& dlg) {
        QTest::mouseClick(item(dlg, IDOK), Qt::LeftButton);
    }) << IDOK;
    QTest::newRow("Cancel button") << std::function([](CConsoleDlg& dlg) {
        QTest::mouseClick(item(dlg, IDCANCEL), Qt::LeftButton);
    }) << IDCANCEL;
}

void ConsoleDlgTest::closesAsOkOrCancel()
{
    QFETCH(std::function<void(CConsoleDlg&)>, close);
    QFETCH(int, result);

    CConsoleDlg dlg;
    QCOMPARE(runConsole(dlg, [&] { close(dlg); }), result);
    // The port stays open after the console closes.
    QVERIFY(thePort.IsOpen());
}

void ConsoleDlgTest::serialTextsReachTheLogAndTheOperator()
{
    struct Logged
    {
        QtMsgType type;
        QString category;
        QString text;
    };
    static std::vector<Logged> logged;
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            logged.push_back({type, QString::fromUtf8(context.category), text});
        });
    const auto restore = qScopeGuard([previous] {
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules({});
    });
    installSerialTextSinks();

    emitSerialText(SerialText::Diagnostic, "\n512 bytes written");
    QVERIFY2(logged.empty(), "diagnostics are off by default");
    QLoggingCategory::setFilterRules(QStringLiteral("orvanel.serial.debug=true"));
    emitSerialText(SerialText::Diagnostic, "\n512 bytes written");
    emitSerialText(SerialText::Warning, "cannot open /dev/ttyUSB0 as COM1: Permission denied");

    QCOMPARE(logged.size(), size_t(2));
    QCOMPARE(logged[0].type, QtDebugMsg);
    QCOMPARE(logged[0].category, QStringLiteral("orvanel.serial"));
    QCOMPARE(logged[0].text, QStringLiteral("512 bytes written"));
    QCOMPARE(logged[1].type, QtWarningMsg);
    QCOMPARE(logged[1].text, QStringLiteral("cannot open /dev/ttyUSB0 as COM1: Permission denied"));

    emitSerialText(SerialText::OperatorMessage, "串口已经被打开");
    QCOMPARE(g_boxes.size(), size_t(1));
    QCOMPARE(g_boxes[0].text, QStringLiteral("串口已经被打开"));
}

QTEST_MAIN(ConsoleDlgTest)
#include "ConsoleDlgTest.moc"
