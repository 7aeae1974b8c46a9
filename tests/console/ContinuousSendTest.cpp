// Auto send and ramp send: the loops, what stops them and what the console does meanwhile.
#include "driver/Driver.h"
#include "framework/DialogTemplate.h"
#include "output/serial/SerialLineOutput.h"
#include "res/resource.h"
#include "support/ConsoleFixture.h"

#include <algorithm>

using driver::Key;

using ContinuousSendTest = ConsoleFixture;
using Texts = std::vector<std::string>;

namespace {
const std::string kAutoSend = "自动发送";
const std::string kRampSend = "自变发送";
const std::string kStopSending = "停止发送";
const std::string kSendingStopped = "已停止发送";
} // namespace

TEST_F(ContinuousSendTest, RampStepsAllSixFieldsOncePerFrameAndWraps)
{
    runConsole([&] {
        frames.clear();
        // Channel 0 is the start-code slot; 511 is the last one on the line.
        const int channels[kStripCount] = {10, 300, 0, 511, 42, 1};
        for (int strip = 0; strip < kStripCount; ++strip)
            console.SetDlgItemInt(IDC_CHANNEL1 + strip, channels[strip]);

        // What the fields held as each frame went out.
        std::vector<Texts> fields;
        for (int n = 1; n <= 259; ++n) {
            afterLoopFrame(n, [&, n] {
                Texts& values = fields.emplace_back();
                for (int strip = 0; strip < kStripCount; ++strip)
                    values.push_back(driver::text(console, IDC_VALUE1 + strip));
                // Stopped during the passes after level 1 of the second round: level 2 still
                // goes out.
                if (n == 258) {
                    EXPECT_EQ(driver::text(console, IDC_RAMP_SEND), kStopSending);
                    EXPECT_EQ(driver::text(console, IDC_AUTO_SEND), kAutoSend);
                    driver::postClick(console, IDC_RAMP_SEND);
                }
            });
        }
        driver::click(console, IDC_RAMP_SEND);

        EXPECT_EQ(driver::text(console, IDC_RAMP_SEND), kRampSend);
        EXPECT_EQ(boxTexts(), Texts{kSendingStopped});
        const std::vector<SentFrame> sent = loopFrames();
        ASSERT_EQ(sent.size(), 259u);
        ASSERT_EQ(fields.size(), sent.size());
        EXPECT_EQ(frames.size(), sent.size());
        for (size_t i = 0; i < sent.size(); ++i) {
            const int level = static_cast<int>(i % 256);
            EXPECT_EQ(fields[i], Texts(kStripCount, std::to_string(level)));
            std::vector<uint8_t> expected(kFrameLength, 0);
            for (int channel : channels)
                expected[static_cast<size_t>(channel)] = static_cast<uint8_t>(level);
            EXPECT_EQ(sent[i].bytes, expected) << "frame " << i;
        }
        EXPECT_EQ(driver::text(console, IDC_VALUE4), "2");
        // The ramp writes only the fields; the sliders stay where they were, as a repaint shows.
        driver::repaint(console, IDC_SLIDER4);
        EXPECT_TRUE(driver::waitUntil([&] { return driver::text(console, IDC_VALUE4) == "1"; }));

        // A second run starts again at 0.
        frames.clear();
        afterLoopFrame(260, [&] { driver::postClick(console, IDC_RAMP_SEND); });
        driver::click(console, IDC_RAMP_SEND);
        const std::vector<SentFrame> again = loopFrames();
        ASSERT_EQ(again.size(), 2u);
        EXPECT_EQ(again[0].bytes[10], 0);
        EXPECT_EQ(again[1].bytes[10], 1);
        EXPECT_EQ(boxes.size(), 2u);
    });
}

TEST_F(ContinuousSendTest, EitherLoopEndsAfterTheCycleItIsStoppedInWithOneBox)
{
    const struct
    {
        const char* how;
        int start;  // the loop button pressed
        int stop;   // the button that stops the loop; 0: the close box
        int result; // of the console's modal run; 0 when it stays open
    } stops[] = {
        {"auto, pressed again", IDC_AUTO_SEND, IDC_AUTO_SEND, 0},
        {"auto, stopped by ramp", IDC_AUTO_SEND, IDC_RAMP_SEND, 0},
        {"ramp, stopped by auto", IDC_RAMP_SEND, IDC_AUTO_SEND, 0},
        {"auto, OK", IDC_AUTO_SEND, IDOK, IDOK},
        {"ramp, Cancel", IDC_RAMP_SEND, IDCANCEL, IDCANCEL},
        {"ramp, close box", IDC_RAMP_SEND, 0, IDCANCEL},
    };
    for (const auto& stop : stops) {
        SCOPED_TRACE(stop.how);
        SetUp(); // each starts afresh
        const bool autoSend = stop.start == IDC_AUTO_SEND;
        const std::string startIdle = autoSend ? kAutoSend : kRampSend;
        const int ended = runConsole([&] {
            frames.clear();
            std::string captionWhileRunning;
            afterLoopFrame(1, [&] { captionWhileRunning = driver::text(console, stop.start); });
            afterLoopFrame(2, [&] {
                if (stop.stop)
                    driver::postClick(console, stop.stop);
                else
                    driver::postCloseWindow(console);
            });
            driver::click(console, stop.start);

            // The cycle the stop came in still sent its frame, then the loop showed its box
            // once. Every frame of auto send carries the strips as they stand.
            EXPECT_EQ(captionWhileRunning, kStopSending);
            EXPECT_EQ(loopFrames().size(), 3u);
            if (autoSend) {
                std::vector<uint8_t> strips(kFrameLength, 0);
                std::fill_n(strips.begin() + 1, kStripCount, uint8_t{1});
                for (const SentFrame& frame : frames)
                    EXPECT_EQ(frame.bytes, strips);
            }
            ASSERT_EQ(boxTexts(), Texts{kSendingStopped});
            EXPECT_EQ(g_bLoopRunning, 0);
            // When the console closed, it was already gone as the box came; its modal run ends
            // after the box.
            EXPECT_EQ(boxes[0].consoleShown, !stop.result);
            EXPECT_EQ(console.IsWindowVisible(), !stop.result);
            if (stop.result)
                return;
            EXPECT_EQ(driver::text(console, autoSend ? IDC_RAMP_SEND : IDC_AUTO_SEND),
                      autoSend ? kRampSend : kAutoSend);
            // The stop caption names only the button that started the loop, which keeps it.
            EXPECT_EQ(driver::text(console, stop.start),
                      stop.stop == stop.start ? startIdle : kStopSending);
            if (stop.stop == stop.start)
                return;

            // Pressed again, it starts its loop afresh rather than stopping anything.
            afterLoopFrame(4, [&] { driver::postClick(console, stop.start); });
            driver::click(console, stop.start);
            ASSERT_EQ(loopFrames().size(), 5u);
            EXPECT_EQ(driver::text(console, stop.start), startIdle);
            EXPECT_EQ(boxes.size(), 2u);
            EXPECT_TRUE(autoSend || loopFrames()[3].bytes[1] == 0) << "a ramp starts again at 0";
        });
        EXPECT_EQ(ended, stop.result ? stop.result : -1);
    }
}

// ---- While a loop runs -------------------------------------------------------------------------

TEST_F(ContinuousSendTest, SliderMovedDuringAutoSendGoesOutAtOnce)
{
    runConsole([&] {
        frames.clear();
        afterLoopFrame(1, [&] {
            driver::setFocus(console, IDC_SLIDER3);
            driver::postKey(console, IDC_SLIDER3, Key::End);
        });
        afterLoopFrame(3, [&] { driver::postClick(console, IDC_AUTO_SEND); });
        driver::click(console, IDC_AUTO_SEND);

        // The slider's own frames went out between the loop's, carrying its new position at
        // once; every loop frame after them carries it as well.
        EXPECT_EQ(driver::text(console, IDC_VALUE3), "255");
        ASSERT_FALSE(frames.empty());
        EXPECT_TRUE(frames.front().byLoop);
        EXPECT_EQ(frames.front().bytes[3], 1);
        const auto firstMoved = std::ranges::find_if(
            frames, [](const SentFrame& frame) { return frame.bytes[3] == 255; });
        ASSERT_NE(firstMoved, frames.end());
        EXPECT_FALSE(firstMoved->byLoop) << "the move waited for the loop's frame";
        EXPECT_NE(firstMoved + 1, frames.end());
        for (auto frame = firstMoved; frame != frames.end(); ++frame) {
            EXPECT_EQ(frame->bytes[3], 255);
            EXPECT_EQ(frame->bytes[1], 1);
        }
        ASSERT_EQ(loopFrames().size(), 4u);
        EXPECT_EQ(loopFrames()[1].bytes[3], 255);
    });
}

TEST_F(ContinuousSendTest, DialogKeysAreOffWhileALoopRuns)
{
    runConsole([&] {
        frames.clear();
        int focusAfterKeys = 0;
        int boxesDuringLoop = -1;
        bool innerDialogClosedByEnter = false;

        afterLoopFrame(1, [&] {
            // Keys that would move the focus, press the default button or close the console.
            driver::setFocus(console, IDC_CHANNEL2);
            for (Key key : {Key::Tab, Key::ShiftTab, Key::Enter, Key::Escape})
                driver::postKey(console, IDC_CHANNEL2, key);
            // Typing still reaches the field.
            driver::postTyping(console, IDC_CHANNEL2, "7");
        });
        afterLoopFrame(2, [&] {
            focusAfterKeys = driver::focusedId(console);
            // Enter on the focused loop button does not press it.
            driver::setFocus(console, IDC_AUTO_SEND);
            driver::postKey(console, IDC_AUTO_SEND, Key::KeypadEnter);
        });
        afterLoopFrame(3, [&] {
            boxesDuringLoop = static_cast<int>(boxes.size());
            // A dialog opened inside a pass holds the loop and keeps its own keys.
            driver::driveNextDialog([&](CDialog& settings) {
                const size_t before = frames.size();
                driver::wait(30);
                EXPECT_EQ(frames.size(), before);
                driver::pressKey(settings, IDC_BAUD, Key::Enter);
                innerDialogClosedByEnter = !settings.IsWindowVisible();
            });
            driver::postClick(console, IDC_OPEN_PORT);
        });
        afterLoopFrame(5, [&] { driver::postClick(console, IDC_AUTO_SEND); });
        driver::click(console, IDC_AUTO_SEND);

        EXPECT_EQ(focusAfterKeys, IDC_CHANNEL2);
        EXPECT_EQ(driver::text(console, IDC_CHANNEL2), "27");
        EXPECT_EQ(boxesDuringLoop, 0);
        EXPECT_TRUE(innerDialogClosedByEnter);
        EXPECT_EQ(loopFrames().size(), 6u);
        EXPECT_TRUE(console.IsWindowVisible());
        EXPECT_EQ(boxTexts(), Texts{kSendingStopped});

        // Once the loop has ended, the dialog's keys work again.
        driver::pressKey(console, IDC_CHANNEL2, Key::Tab);
        EXPECT_EQ(driver::focusedId(console), IDC_VALUE2);
        driver::pressKey(console, IDC_VALUE2, Key::Escape);
        EXPECT_FALSE(console.IsWindowVisible());
    });
}

TEST_F(ContinuousSendTest, PressAfterAStopNestsASecondLoop)
{
    runConsole([&] {
        frames.clear();
        // Stop and start again before the stopped loop has finished its cycle.
        afterLoopFrame(2, [&] {
            driver::postClick(console, IDC_AUTO_SEND);
            driver::postClick(console, IDC_AUTO_SEND);
        });
        // The nested loop sends frames 3 and 4, is stopped, ends its cycle with frame 5 and
        // shows its box; then the outer loop ends its own cycle with frame 6 and shows another.
        int boxesAfterNested = -1;
        afterLoopFrame(4, [&] { driver::postClick(console, IDC_AUTO_SEND); });
        afterLoopFrame(6, [&] { boxesAfterNested = static_cast<int>(boxes.size()); });
        driver::click(console, IDC_AUTO_SEND);

        EXPECT_EQ(boxesAfterNested, 1);
        EXPECT_EQ(loopFrames().size(), 6u);
        EXPECT_EQ(boxTexts(), (Texts{kSendingStopped, kSendingStopped}));
        EXPECT_EQ(driver::text(console, IDC_AUTO_SEND), kAutoSend);

        // A press that comes after OK would start a loop with no console to stop it from:
        // it starts none, and the console closes after the one box.
        afterLoopFrame(7, [&] {
            driver::postClick(console, IDOK);
            driver::postClick(console, IDC_AUTO_SEND);
        });
        driver::click(console, IDC_AUTO_SEND);
        EXPECT_EQ(loopFrames().size(), 8u);
        EXPECT_EQ(boxes.size(), 3u);
        EXPECT_FALSE(console.IsWindowVisible());
    });
}
