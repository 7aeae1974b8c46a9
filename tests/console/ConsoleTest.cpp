// The console's strips, frames, keyboard and closing.
#include "base/Log.h"
#include "console/OutputNotices.h"
#include "console/ThePort.h"
#include "driver/Driver.h"
#include "framework/DialogTemplate.h"
#include "framework/WinApp.h"
#include "output/serial/SerialLineOutput.h"
#include "res/resource.h"
#include "support/ConsoleFixture.h"

using driver::Key;
using ConsoleTest = ConsoleFixture;

TEST_F(ConsoleTest, StartsWithSixStripsAndSendsAFramePerSliderPaint)
{
    runConsole([&] {
        EXPECT_TRUE(thePort.IsOpen());
        EXPECT_EQ(g_fakeDevice.callsStartingWith("openExclusive"),
                  std::vector<std::string>{"openExclusive(1)"});
        EXPECT_TRUE(boxes.empty());

        const driver::WindowLook look = driver::windowLook(console);
        EXPECT_EQ(look.caption, "DMX控制台 - Belmaro");
        EXPECT_TRUE(look.fixedSize && look.minimizeBox && look.hasIcon);
        EXPECT_FALSE(look.maximizeBox);
        EXPECT_EQ(driver::focusedId(console), IDOK);

        // Each slider paints once as the console shows, writing its value before the frame.
        ASSERT_EQ(frames.size(), size_t{kStripCount});
        std::vector<uint8_t> expected(kFrameLength, 0);
        for (int strip = 1; strip <= kStripCount; ++strip) {
            expected[static_cast<size_t>(strip)] = 1;
            EXPECT_EQ(frames[static_cast<size_t>(strip - 1)].bytes, expected) << "frame " << strip;
            EXPECT_EQ(driver::text(console, IDC_CHANNEL1 + strip - 1), std::to_string(strip));
            EXPECT_EQ(driver::text(console, IDC_VALUE1 + strip - 1), "1");
        }
        // The frames leave the port at the frame rate.
        EXPECT_EQ(g_fakeDevice.line.BaudRate, kFrameBaudRate);

        // Uncovering the whole console repaints every slider, and each sends a frame.
        driver::repaint(console, 0);
        EXPECT_TRUE(driver::waitUntil([] { return frames.size() == 2 * kStripCount; }));
    });
}

TEST_F(ConsoleTest, RunsWithoutAPortWhenCom1IsAbsent)
{
    g_fakeDevice.presentPorts.erase(1);
    runConsole([&] {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "打开串口失败！");
        EXPECT_EQ(boxes[0].detail, "此计算机上没有 COM1。\n本机的串口：COM3 (/dev/ttyACM0)");
        EXPECT_EQ(boxes[0].caption, AfxGetAppName());
        EXPECT_FALSE(boxes[0].consoleShown) << "the box must come before the console shows";

        EXPECT_FALSE(thePort.IsOpen());
        driver::click(console, IDC_SEND);
        settle();
        EXPECT_TRUE(g_fakeDevice.writes.empty());
        EXPECT_EQ(boxes.size(), 1u);
    });
}

TEST_F(ConsoleTest, KeyboardMovesSliderThreeToTheBottom)
{
    runConsole([&] {
        driver::setFocus(console, IDC_SLIDER3);
        settle();
        const size_t before = frames.size();
        for (int i = 0; i < 5; ++i) {
            driver::pressKey(console, IDC_SLIDER3, Key::PageDown);
            settle();
        }
        driver::pressKey(console, IDC_SLIDER3, Key::End);
        EXPECT_TRUE(driver::waitUntil([] { return lastSlot(3) == 255; }));
        EXPECT_EQ(driver::text(console, IDC_VALUE3), "255");

        // Every move went out, carrying channel 3's value at that moment and the others as set.
        std::vector<int> levels;
        for (size_t i = before; i < frames.size(); ++i) {
            const std::vector<uint8_t>& frame = frames[i].bytes;
            EXPECT_EQ(frame[0], 0);
            for (size_t strip : {1, 2, 4, 5, 6})
                EXPECT_EQ(frame[strip], 1);
            if (levels.empty() || levels.back() != frame[3])
                levels.push_back(frame[3]);
        }
        EXPECT_EQ(levels, (std::vector<int>{52, 103, 154, 205, 255}));

        // Channel 3 is whatever its field holds.
        driver::typeText(console, IDC_CHANNEL3, "100");
        driver::pressKey(console, IDC_SLIDER3, Key::Up);
        EXPECT_TRUE(driver::waitUntil([] { return lastSlot(100) == 254; }));
        EXPECT_EQ(lastSlot(3), 0);
    });
}

TEST_F(ConsoleTest, TypedValueWaitsForTheSendButton)
{
    runConsole([&] {
        driver::setFocus(console, IDC_VALUE2);
        settle();
        const size_t before = frames.size();
        driver::typeText(console, IDC_VALUE2, "200");
        EXPECT_EQ(driver::text(console, IDC_VALUE2), "200");
        settle();
        EXPECT_EQ(frames.size(), before);
        // Left alone, the console sends the last frame again, without what was typed since.
        advanceClock(kRefreshAfter);
        ASSERT_TRUE(driver::waitUntil([&] { return frames.size() == before + 1; }));
        EXPECT_EQ(frames.back().bytes, frames[before - 1].bytes);

        driver::click(console, IDC_SEND);
        ASSERT_TRUE(driver::waitUntil([&] { return frames.size() == before + 2; }));
        EXPECT_EQ(lastSlot(2), 200);
        EXPECT_EQ(static_cast<const CDialog&>(console).GetDlgItemInt(IDC_VALUE2), 200);

        // A paint of slider 2 itself writes its position over the typed value.
        driver::repaint(console, IDC_SLIDER2);
        ASSERT_TRUE(driver::waitUntil([&] { return frames.size() == before + 3; }));
        EXPECT_EQ(lastSlot(2), 1);
        EXPECT_EQ(driver::text(console, IDC_VALUE2), "1");
    });
}

TEST_F(ConsoleTest, TabbingOntoAndOffASliderSendsFrames)
{
    runConsole([&] {
        ASSERT_EQ(driver::focusedId(console), IDOK);
        driver::pressKey(console, IDOK, Key::Tab);
        EXPECT_EQ(driver::focusedId(console), IDCANCEL);
        settle();
        const size_t before = frames.size();

        driver::pressKey(console, IDCANCEL, Key::Tab);
        EXPECT_EQ(driver::focusedId(console), IDC_SLIDER1);
        EXPECT_TRUE(driver::waitUntil([&] { return frames.size() == before + 1; }));
        driver::pressKey(console, IDC_SLIDER1, Key::Tab);
        EXPECT_EQ(driver::focusedId(console), IDC_OPEN_PORT);
        EXPECT_TRUE(driver::waitUntil([&] { return frames.size() == before + 2; }));
    });
}

TEST_F(ConsoleTest, ClosesAsOkOrCancelAndLeavesThePortOpen)
{
    const struct
    {
        const char* how;
        std::function<void(CDialog&)> close;
        int result;
    } closings[] = {
        {"Enter in a field", [](CDialog& dlg) { driver::pressKey(dlg, IDC_CHANNEL4, Key::Enter); },
         IDOK},
        {"Enter on a slider",
         [](CDialog& dlg) { driver::pressKey(dlg, IDC_SLIDER2, Key::KeypadEnter); }, IDOK},
        {"Esc", [](CDialog& dlg) { driver::pressKey(dlg, IDC_VALUE1, Key::Escape); }, IDCANCEL},
        {"close box", [](CDialog& dlg) { driver::closeWindow(dlg); }, IDCANCEL},
        {"OK button", [](CDialog& dlg) { driver::click(dlg, IDOK); }, IDOK},
        {"Cancel button", [](CDialog& dlg) { driver::click(dlg, IDCANCEL); }, IDCANCEL},
    };
    for (const auto& closing : closings) {
        SCOPED_TRACE(closing.how);
        SetUp(); // each starts afresh
        EXPECT_EQ(runConsole([&] { closing.close(console); }), closing.result);
        EXPECT_TRUE(thePort.IsOpen());
    }
}

TEST_F(ConsoleTest, OpeningThePortTwiceTellsTheOperator)
{
    installOutputNotices();
    ASSERT_TRUE(thePort.Open(1, 250000));
    EXPECT_FALSE(thePort.Open(1, 250000));
    setLogSink(nullptr);
    setPortAlreadyOpenNotice(nullptr);

    ASSERT_EQ(boxTexts(), std::vector<std::string>{"串口已经被打开"});
    EXPECT_EQ(boxes[0].caption, AfxGetAppName());
    EXPECT_TRUE(thePort.IsOpen());
}
