#include "console/ContinuousSend.h"
#include "console/ConsoleDlg.h"
#include "console/ThePort.h"
#include "console/framework/MessageBox.h"
#include "dmx/Sleep.h"
#include "res/resource.h"
#include "support/FakeSerialDevice.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <map>

// The console's port, on a device that records what is written.
FakeSerialDevice g_fake;
CSerialPort thePort(g_fake);

namespace {
const QString kAutoSend = QStringLiteral("自动发送");
const QString kRampSend = QStringLiteral("自变发送");
const QString kStopSending = QStringLiteral("停止发送");
const QString kSendingStopped = QStringLiteral("已停止发送");

// A loop that a failed check left running is ended after this many frames.
constexpr int kRunawayFrames = 2000;

struct ShownBox
{
    QString text;
    bool loopFlag;     // g_bLoopRunning when the box came up
    bool consoleShown; // whether the console was still on screen
};
std::vector<ShownBox> g_boxes;
CConsoleDlg* g_console = nullptr;

int recordBox(QWidget*, const QString&, const QString& text)
{
    g_boxes.push_back({text, g_bLoopRunning != 0, g_console && g_console->isVisible()});
    return IDOK;
}

// A frame as it left: its 512 slots, and whether a loop sent it at the end of its 20 passes or a
// handler sent it from inside them.
struct SentFrame
{
    std::vector<uint8_t> bytes;
    bool byLoop;
};
std::vector<SentFrame> g_frames;
int g_passes = 0; // pass sleeps since the last frame a loop sent
int g_loopFrames = 0;
std::map<int, std::function<void()>> g_afterLoopFrame; // keyed by loop frame number, from 1

// Stands in for the real sleep: a loop's pass sleeps 1 or 2 ms, a frame's pause 50 ms. The pause
// tells that a frame has just been written; one that ends 20 passes is the loop's own.
void recordSleep(unsigned milliseconds)
{
    if (milliseconds != kFramePauseMs) {
        ++g_passes;
        return;
    }
    const bool byLoop = g_passes == 20;
    if (byLoop)
        g_passes = 0;
    g_frames.push_back({g_fake.writes.back().bytes, byLoop});
    if (!byLoop)
        return;
    ++g_loopFrames;
    if (g_loopFrames >= kRunawayFrames)
        g_bLoopRunning = false;
    if (const auto it = g_afterLoopFrame.find(g_loopFrames); it != g_afterLoopFrame.end())
        it->second();
}

// Schedules action right after the loop's nth frame, counted over the whole test function.
void afterLoopFrame(int n, std::function<void()> action)
{
    g_afterLoopFrame[n] = std::move(action);
}

std::vector<SentFrame> loopFrames()
{
    std::vector<SentFrame> result;
    for (const SentFrame& frame : g_frames) {
        if (frame.byLoop)
            result.push_back(frame);
    }
    return result;
}

// A click queued like the operator's, for a loop's pass to dispatch.
void postClick(QWidget* widget)
{
    const QPointF pos = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(pos);
    QCoreApplication::postEvent(widget,
                                new QMouseEvent(QEvent::MouseButtonPress, pos, global,
                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(widget,
                                new QMouseEvent(QEvent::MouseButtonRelease, pos, global,
                                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

void postKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
             const QString& text = {})
{
    QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, key, modifiers, text));
    QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyRelease, key, modifiers, text));
}

QWidget* item(CConsoleDlg& dlg, int id)
{
    QWidget* widget = dlg.GetDlgItem(id);
    Q_ASSERT(widget);
    return widget;
}

// Runs the console modally while script drives it, then closes it if the script did not.
// Frames and sleeps are recorded from the start of the script, once the start-up painting is over.
int runConsole(CConsoleDlg& dlg, const std::function<void()>& script)
{
    g_console = &dlg;
    QTimer::singleShot(0, &dlg, [&] {
        if (QTest::qWaitForWindowExposed(&dlg)) {
            QTRY_COMPARE(dlg.GetDlgItemText(IDC_VALUE6), QStringLiteral("1"));
            QTest::qWait(50);
            g_frames.clear();
            script();
        }
        if (dlg.isVisible())
            dlg.EndDialog(-1);
    });
    const int result = dlg.DoModal();
    g_console = nullptr;
    return result;
}

std::vector<QString> boxTexts()
{
    std::vector<QString> texts;
    for (const ShownBox& box : g_boxes)
        texts.push_back(box.text);
    return texts;
}
} // namespace

class ContinuousSendTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rampStepsAllSixFieldsOncePerFrameAndWraps();
    void stoppingEitherLoop_data();
    void stoppingEitherLoop();
    void sliderMovedDuringAutoSendGoesOutAtOnce();
    void dialogKeysAreOffWhileALoopRuns();
    void pressAfterAStopNestsASecondLoop();
};

void ContinuousSendTest::initTestCase()
{
    setSleepFunction(recordSleep);
    setMessageBoxFunction(recordBox);
    QApplication::setQuitOnLastWindowClosed(false);
}

void ContinuousSendTest::init()
{
    thePort.Close();
    g_fake.clearRecord();
    g_boxes.clear();
    g_frames.clear();
    g_afterLoopFrame.clear();
    g_passes = 0;
    g_loopFrames = 0;
    g_bLoopRunning = false;
}

void ContinuousSendTest::cleanup()
{
    QVERIFY2(g_loopFrames < kRunawayFrames, "a loop had to be ended by the test");
}

void ContinuousSendTest::rampStepsAllSixFieldsOncePerFrameAndWraps()
{
    CConsoleDlg dlg;
    runConsole(dlg, [&] {
        // Channel 0 is the start-code slot; 511 is the last one on the line.
        const int channels[kStripCount] = {10, 300, 0, 511, 42, 1};
        for (int strip = 0; strip < kStripCount; ++strip)
            dlg.SetDlgItemInt(IDC_CHANNEL1 + strip, channels[strip]);
        QWidget* ramp = item(dlg, IDC_RAMP_SEND);

        // What the fields held as each frame went out.
        std::vector<std::vector<int>> fields;
        for (int n = 1; n <= 259; ++n) {
            afterLoopFrame(n, [&] {
                std::vector<int> values;
                for (int strip = 0; strip < kStripCount; ++strip)
                    values.push_back(dlg.GetDlgItemInt(IDC_VALUE1 + strip));
                fields.push_back(values);
            });
        }
        // Stopped during the passes after level 1 of the second round: level 2 still goes out.
        afterLoopFrame(258, [&, record = g_afterLoopFrame[258]] {
            record();
            QCOMPARE(dlg.GetDlgItemText(IDC_RAMP_SEND), kStopSending);
            QCOMPARE(dlg.GetDlgItemText(IDC_AUTO_SEND), kAutoSend);
            postClick(ramp);
        });
        QTest::mouseClick(ramp, Qt::LeftButton);

        QCOMPARE(dlg.GetDlgItemText(IDC_RAMP_SEND), kRampSend);
        QCOMPARE(boxTexts(), std::vector<QString>{kSendingStopped});
        const auto sent = loopFrames();
        QCOMPARE(sent.size(), size_t(259));
        QCOMPARE(g_frames.size(), sent.size());
        for (size_t i = 0; i < sent.size(); ++i) {
            const int level = static_cast<int>(i % 256);
            QCOMPARE(fields[i], std::vector<int>(kStripCount, level));
            std::vector<uint8_t> expected(kFrameLength, 0);
            for (int channel : channels)
                expected[static_cast<size_t>(channel)] = static_cast<uint8_t>(level);
            QCOMPARE(sent[i].bytes, expected);
        }
        QCOMPARE(dlg.GetDlgItemText(IDC_VALUE4), QStringLiteral("2"));
        // The ramp writes only the fields; the sliders stay where they were.
        QCOMPARE(qobject_cast<QAbstractSlider*>(item(dlg, IDC_SLIDER4))->value(), 1);

        // A second run starts again at 0.
        g_frames.clear();
        afterLoopFrame(260, [&] { postClick(ramp); });
        QTest::mouseClick(ramp, Qt::LeftButton);
        const auto again = loopFrames();
        QCOMPARE(again.size(), size_t(2));
        QCOMPARE(again[0].bytes[10], 0);
        QCOMPARE(again[1].bytes[10], 1);
        QCOMPARE(g_boxes.size(), size_t(2));
    });
}

void ContinuousSendTest::stoppingEitherLoop_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("stop");
    QTest::addColumn<int>("result"); // of the console's modal run; 0 when it stays open

    QTest::newRow("auto, pressed again") << IDC_AUTO_SEND << IDC_AUTO_SEND << 0;
    QTest::newRow("auto, stopped by ramp") << IDC_AUTO_SEND << IDC_RAMP_SEND << 0;
    QTest::newRow("ramp, stopped by auto") << IDC_RAMP_SEND << IDC_AUTO_SEND << 0;
    QTest::newRow("auto, OK") << IDC_AUTO_SEND << IDOK << IDOK;
    QTest::newRow("ramp, Cancel") << IDC_RAMP_SEND << IDCANCEL << IDCANCEL;
    QTest::newRow("ramp, close box") << IDC_RAMP_SEND << 0 << IDCANCEL;
}

void ContinuousSendTest::stoppingEitherLoop()
{
    QFETCH(int, start);
    QFETCH(int, stop);
    QFETCH(int, result);
    const QString startIdle = start == IDC_AUTO_SEND ? kAutoSend : kRampSend;

    CConsoleDlg dlg;
    const int ended = runConsole(dlg, [&] {
        QString captionWhileRunning;
        afterLoopFrame(1, [&] { captionWhileRunning = dlg.GetDlgItemText(start); });
        afterLoopFrame(2, [&] {
            if (stop)
                postClick(item(dlg, stop));
            else
                QTimer::singleShot(0, &dlg, [&] { dlg.close(); });
        });
        QTest::mouseClick(item(dlg, start), Qt::LeftButton);

        // The cycle the stop came in still sent its frame, then the loop showed its box once.
        // Every frame of auto send carries the strips as they stand.
        QCOMPARE(captionWhileRunning, kStopSending);
        QCOMPARE(loopFrames().size(), size_t(3));
        if (start == IDC_AUTO_SEND) {
            std::vector<uint8_t> strips(kFrameLength, 0);
            std::fill_n(strips.begin() + 1, kStripCount, uint8_t(1));
            for (const SentFrame& frame : g_frames)
                QCOMPARE(frame.bytes, strips);
        }
        QCOMPARE(boxTexts(), std::vector<QString>{kSendingStopped});
        QCOMPARE(g_bLoopRunning, 0);
        if (result) {
            // The console was already gone when the box came; its modal run ends after it.
            QVERIFY(!g_boxes[0].consoleShown);
            QVERIFY(!dlg.isVisible());
            return;
        }
        QCOMPARE(dlg.GetDlgItemText(IDC_AUTO_SEND + IDC_RAMP_SEND - start),
                 start == IDC_AUTO_SEND ? kRampSend : kAutoSend);
        if (stop == start) {
            QCOMPARE(dlg.GetDlgItemText(start), startIdle);
            return;
        }
        // The stop caption names only the button that started the loop, which keeps it.
        QCOMPARE(dlg.GetDlgItemText(start), kStopSending);

        // Pressed again, it starts its loop afresh rather than stopping anything.
        afterLoopFrame(4, [&] { postClick(item(dlg, start)); });
        QTest::mouseClick(item(dlg, start), Qt::LeftButton);
        QCOMPARE(loopFrames().size(), size_t(5));
        QCOMPARE(dlg.GetDlgItemText(start), startIdle);
        QCOMPARE(g_boxes.size(), size_t(2));
        if (start == IDC_RAMP_SEND)
            QCOMPARE(loopFrames()[3].bytes[1], 0);
    });
    QCOMPARE(ended, result ? result : -1);
}

void ContinuousSendTest::sliderMovedDuringAutoSendGoesOutAtOnce()
{
    CConsoleDlg dlg;
    runConsole(dlg, [&] {
        auto* slider = qobject_cast<QAbstractSlider*>(item(dlg, IDC_SLIDER3));
        afterLoopFrame(1, [&] {
            slider->setFocus(Qt::TabFocusReason);
            postKey(slider, Qt::Key_End);
        });
        afterLoopFrame(3, [&] { postClick(item(dlg, IDC_AUTO_SEND)); });
        QTest::mouseClick(item(dlg, IDC_AUTO_SEND), Qt::LeftButton);

        // The slider's own frames went out between the loop's, carrying its new position at
        // once; every loop frame after them carries it as well.
        QCOMPARE(slider->value(), 255);
        QCOMPARE(dlg.GetDlgItemText(IDC_VALUE3), QStringLiteral("255"));
        QCOMPARE(g_frames.front().byLoop, true);
        QCOMPARE(g_frames.front().bytes[3], 1);
        size_t firstMoved = 0;
        while (firstMoved < g_frames.size() && g_frames[firstMoved].bytes[3] != 255)
            ++firstMoved;
        QVERIFY(firstMoved < g_frames.size());
        QVERIFY2(!g_frames[firstMoved].byLoop, "the move waited for the loop's frame");
        QVERIFY(firstMoved + 1 < g_frames.size());
        for (size_t i = firstMoved; i < g_frames.size(); ++i) {
            QCOMPARE(g_frames[i].bytes[3], 255);
            QCOMPARE(g_frames[i].bytes[1], 1);
        }
        QCOMPARE(loopFrames().size(), size_t(4));
        QCOMPARE(loopFrames()[1].bytes[3], 255);
    });
}

void ContinuousSendTest::dialogKeysAreOffWhileALoopRuns()
{
    CConsoleDlg dlg;
    runConsole(dlg, [&] {
        QWidget* autoSend = item(dlg, IDC_AUTO_SEND);
        auto* channel2 = qobject_cast<QLineEdit*>(item(dlg, IDC_CHANNEL2));
        QWidget* focusAfterKeys = nullptr;
        int boxesDuringLoop = -1;

        afterLoopFrame(1, [&] {
            // Keys that would move the focus, press the default button or close the console.
            channel2->setFocus(Qt::MouseFocusReason);
            postKey(channel2, Qt::Key_Tab);
            postKey(channel2, Qt::Key_Backtab, Qt::ShiftModifier);
            postKey(channel2, Qt::Key_Return);
            postKey(channel2, Qt::Key_Escape);
            // Typing still reaches the field.
            postKey(channel2, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
        });
        afterLoopFrame(2, [&] {
            focusAfterKeys = dlg.focusWidget();
            // Enter on the focused loop button does not press it.
            autoSend->setFocus(Qt::TabFocusReason);
            postKey(autoSend, Qt::Key_Enter, Qt::KeypadModifier);
        });
        afterLoopFrame(3, [&] {
            boxesDuringLoop = static_cast<int>(g_boxes.size());
            // A dialog opened inside a pass holds the loop and keeps its own keys.
            QTimer::singleShot(0, &dlg, [&] {
                QDialog inner(&dlg);
                auto* ok = new QPushButton(QStringLiteral("确定"), &inner);
                ok->setDefault(true);
                connect(ok, &QPushButton::clicked, &inner, &QDialog::accept);
                QTimer::singleShot(0, &inner, [&] {
                    const size_t before = g_frames.size();
                    QTest::qWait(30);
                    QCOMPARE(g_frames.size(), before);
                    QTest::keyClick(&inner, Qt::Key_Return);
                    if (inner.isVisible())
                        inner.reject();
                });
                QCOMPARE(inner.exec(), int(QDialog::Accepted));
            });
        });
        afterLoopFrame(5, [&] { postClick(autoSend); });
        QTest::mouseClick(autoSend, Qt::LeftButton);

        QCOMPARE(focusAfterKeys, channel2);
        QCOMPARE(channel2->text(), QStringLiteral("27"));
        QCOMPARE(boxesDuringLoop, 0);
        QCOMPARE(loopFrames().size(), size_t(6));
        QVERIFY(dlg.isVisible());
        QCOMPARE(boxTexts(), std::vector<QString>{kSendingStopped});

        // Once the loop has ended, the dialog's keys work again.
        channel2->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(channel2, Qt::Key_Tab);
        QCOMPARE(dlg.focusWidget(), item(dlg, IDC_VALUE2));
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
    });
}

void ContinuousSendTest::pressAfterAStopNestsASecondLoop()
{
    CConsoleDlg dlg;
    runConsole(dlg, [&] {
        QWidget* autoSend = item(dlg, IDC_AUTO_SEND);
        // Stop and start again before the stopped loop has finished its cycle.
        afterLoopFrame(2, [&] {
            postClick(autoSend);
            postClick(autoSend);
        });
        // The nested loop sends frames 3 and 4, is stopped, ends its cycle with frame 5 and
        // shows its box; then the outer loop ends its own cycle with frame 6 and shows another.
        int boxesAfterNested = -1;
        afterLoopFrame(4, [&] { postClick(autoSend); });
        afterLoopFrame(6, [&] { boxesAfterNested = static_cast<int>(g_boxes.size()); });
        QTest::mouseClick(autoSend, Qt::LeftButton);

        QCOMPARE(boxesAfterNested, 1);
        QCOMPARE(loopFrames().size(), size_t(6));
        QCOMPARE(boxTexts(), (std::vector<QString>{kSendingStopped, kSendingStopped}));
        QCOMPARE(dlg.GetDlgItemText(IDC_AUTO_SEND), kAutoSend);

        // A press that comes after OK would start a loop with no console to stop it from:
        // it starts none, and the console closes after the one box.
        afterLoopFrame(7, [&] {
            postClick(item(dlg, IDOK));
            postClick(autoSend);
        });
        QTest::mouseClick(autoSend, Qt::LeftButton);
        QCOMPARE(loopFrames().size(), size_t(8));
        QCOMPARE(g_boxes.size(), size_t(3));
        QVERIFY(!dlg.isVisible());
    });
}

QTEST_MAIN(ContinuousSendTest)
#include "ContinuousSendTest.moc"
