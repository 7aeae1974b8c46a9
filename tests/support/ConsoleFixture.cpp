#include "ConsoleFixture.h"

#include "console/MachinePorts.h"
#include "console/PortSettingsDlg.h"
#include "console/ThePort.h"
#include "dmx/Sleep.h"
#include "driver/Driver.h"
#include "framework/DialogTemplate.h"
#include "framework/MessageBox.h"
#include "output/serial/SerialLineOutput.h"
#include "res/resource.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <utility>

namespace {
// A loop that a failed check left running is ended after this many frames.
constexpr int kRunawayFrames = 2000;
constexpr int kPassesPerCycle = 20;

const CDialog* g_console = nullptr;
size_t g_writesSeen = 0; // the device's writes up to the last frame's pause
int g_passes = 0;        // pass sleeps since the last frame a loop sent
int g_allPasses = 0;     // pass sleeps in this test
int g_loopFrames = 0;    // frames the loops have sent in this test
// For each loop that a nested loop interrupted, innermost last: the passes it had made.
std::vector<int> g_outerPasses;
std::map<int, std::function<void()>> g_afterLoopFrame;
// The clock the console reads: it moves only by the sleeps and by advanceClock, so an idle
// output is refreshed only when a test lets the time pass.
std::chrono::steady_clock::time_point g_now;

int recordBox(const MessageBoxRequest& request)
{
    ConsoleFixture::boxes.push_back({request.owner, request.caption, request.text, request.detail,
                                     g_bLoopRunning != 0,
                                     g_console && g_console->IsWindowVisible()});
    return IDOK;
}

// Whether a frame sent after passes pass sleeps ends a loop's cycle. A loop started inside a
// pass of another (a pump may take a click's messages over several passes) ends its first cycle
// after the outer loop's passes and its own 20; the outer loop ends its cycle after the rest.
bool endsALoopCycle(int passes)
{
    if (passes == kPassesPerCycle)
        return true;
    if (passes > kPassesPerCycle) {
        g_outerPasses.push_back(passes - kPassesPerCycle);
        return true;
    }
    if (!g_outerPasses.empty() && g_outerPasses.back() + passes == kPassesPerCycle) {
        g_outerPasses.pop_back();
        return true;
    }
    return false;
}

// Stands in for the real sleep: a loop's pass sleeps 1 or 2 ms, a frame's pause 50 ms. The pause
// tells that a frame has just been sent; one that ends a cycle of passes is the loop's own.
void recordSleep(unsigned milliseconds)
{
    g_now += std::chrono::milliseconds(milliseconds);
    if (milliseconds != kFramePauseMs) {
        ++g_passes;
        // A loop that miscounted frames is still ended, so the test fails instead of hanging.
        if (++g_allPasses >= kRunawayFrames * kPassesPerCycle)
            g_bLoopRunning = false;
        return;
    }
    const bool byLoop = endsALoopCycle(g_passes);
    if (byLoop)
        g_passes = 0;
    // A test may have cleared the device's record since the last pause.
    const auto& writes = g_fakeDevice.writes;
    if (writes.size() < g_writesSeen)
        g_writesSeen = 0;
    if (writes.size() > g_writesSeen && writes.back().bytes.size() == kFrameLength)
        ConsoleFixture::frames.push_back({writes.back().bytes, byLoop});
    g_writesSeen = writes.size();
    if (!byLoop)
        return;
    if (++g_loopFrames >= kRunawayFrames)
        g_bLoopRunning = false;
    if (const auto it = g_afterLoopFrame.find(g_loopFrames); it != g_afterLoopFrame.end())
        it->second();
}

std::optional<std::string> fakePortDevice(int portNumber)
{
    if (!g_fakeDevice.presentPorts.count(portNumber))
        return std::nullopt;
    if (portNumber == 1)
        return "/dev/ttyUSB0";
    if (portNumber == 3)
        return "/dev/ttyACM0";
    return std::nullopt;
}

std::map<int, std::string> fakeMachinePorts()
{
    std::map<int, std::string> ports;
    for (int portNumber : g_fakeDevice.presentPorts) {
        if (const auto device = fakePortDevice(portNumber))
            ports.emplace(portNumber, *device);
    }
    return ports;
}
} // namespace

void ConsoleFixture::SetUp()
{
    theOutput.Close();
    thePort.Close();
    g_fakeDevice = FakeSerialDevice();
    g_fakeSocket = FakeDatagramSocket();
    g_console = &console;
    boxes.clear();
    frames.clear();
    g_writesSeen = 0;
    g_passes = 0;
    g_allPasses = 0;
    g_outerPasses.clear();
    g_loopFrames = 0;
    g_afterLoopFrame.clear();
    g_bLoopRunning = false;
    setSleepFunction(recordSleep);
    setClockFunction([] { return g_now; });
    setMessageBoxFunction(recordBox);
    setPortDeviceFunction(fakePortDevice);
    setMachinePortsFunction(fakeMachinePorts);
}

void ConsoleFixture::TearDown()
{
    EXPECT_LT(g_loopFrames, kRunawayFrames) << "a loop had to be ended by the test";
    EXPECT_LT(g_allPasses, kRunawayFrames * kPassesPerCycle)
        << "a loop had to be ended by the test";
    g_console = nullptr;
    setSleepFunction(nullptr);
    setClockFunction(nullptr);
    setMessageBoxFunction(nullptr);
    setPortDeviceFunction(nullptr);
    setMachinePortsFunction(nullptr);
}

int ConsoleFixture::runConsole(const std::function<void()>& script)
{
    return driver::runModal(console, [&] {
        // Value 6 shows once the last strip has painted.
        ASSERT_TRUE(driver::waitUntil([&] { return console.GetDlgItemText(IDC_VALUE6) == "1"; }))
            << "the strips never painted";
        settle();
        script();
    });
}

void ConsoleFixture::settle()
{
    size_t before = 0;
    do {
        before = frames.size();
        driver::wait(60);
    } while (frames.size() != before);
}

std::vector<std::string> ConsoleFixture::boxTexts()
{
    std::vector<std::string> texts;
    for (const ShownBox& box : boxes)
        texts.push_back(box.text);
    return texts;
}

std::vector<SentFrame> ConsoleFixture::loopFrames()
{
    std::vector<SentFrame> sent;
    std::ranges::copy_if(frames, std::back_inserter(sent), &SentFrame::byLoop);
    return sent;
}

uint8_t ConsoleFixture::lastSlot(int slot)
{
    if (frames.empty()) {
        ADD_FAILURE() << "no frame has gone out";
        return 0;
    }
    return frames.back().bytes.at(static_cast<size_t>(slot));
}

std::vector<std::string> ConsoleFixture::describeControls(CDialog& dlg)
{
    std::vector<std::string> described;
    for (const driver::ControlInfo& control : driver::controls(dlg)) {
        described.push_back(std::to_string(control.id) + " " + control.text +
                            (control.defaultButton ? " (default)" : "") +
                            (control.showsIcon ? " (icon)" : ""));
    }
    return described;
}

void ConsoleFixture::advanceClock(std::chrono::milliseconds time)
{
    g_now += time;
}

void ConsoleFixture::afterLoopFrame(int n, std::function<void()> action)
{
    g_afterLoopFrame[n] = std::move(action);
}
