#pragma once

// The console on the fake port, with its message boxes and frames recorded and without real
// sleeps: what every console behaviour test starts from.

#include "console/ConsoleDlg.h"
#include "framework/Handles.h"
#include "support/FakePort.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// The console with its window-menu commands within the tests' reach.
class TestConsole : public CConsoleDlg
{
public:
    using CConsoleDlg::OnSysCommand;
};

// A message box as it came up.
struct ShownBox
{
    HWND owner;
    std::string caption;
    std::string text;
    std::string detail;
    bool loopRunning;  // g_bLoopRunning at the time
    bool consoleShown; // whether the console's window was on screen
};

// A frame that reached the device, and whether a loop sent it at the end of its 20 passes or a
// handler sent it, from inside them or outside any loop.
struct SentFrame
{
    std::vector<uint8_t> bytes; // slots 0 to 511
    bool byLoop;
};

// Each test starts with COM1 to COM8 present on the device and closed, and nothing recorded.
// The machine's ports, as the console names them, are COM1 on /dev/ttyUSB0 and COM3 on
// /dev/ttyACM0, while the device has them.
class ConsoleFixture : public ::testing::Test
{
public:
    inline static std::vector<ShownBox> boxes;
    inline static std::vector<SentFrame> frames;

protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the console as driver::runModal does; script runs once the strips have painted and
    // their frames have gone out.
    int runConsole(const std::function<void()>& script);
    // Waits until no frame has gone out for a while.
    static void settle();

    static std::vector<std::string> boxTexts();
    static std::vector<SentFrame> loopFrames();
    // Slot slot of the last frame.
    static uint8_t lastSlot(int slot);
    // Each control of dlg in creation order as "id text", marked " (default)" and " (icon)".
    static std::vector<std::string> describeControls(CDialog& dlg);
    // Runs action right after the nth frame that a loop sends, counted over the whole test from 1.
    static void afterLoopFrame(int n, std::function<void()> action);
    // Lets time pass for the console: its clock moves only by this and by the sleeps.
    static void advanceClock(std::chrono::milliseconds time);

    TestConsole console;
};
