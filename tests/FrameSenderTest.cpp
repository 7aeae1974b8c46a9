#include "dmx/FrameSender.h"
#include "dmx/Sleep.h"
#include "output/serial/SerialLineOutput.h"
#include "serial/SerialPort.h"
#include "support/FakeLevels.h"
#include "support/FakeSerialDevice.h"

#include <algorithm>
#include <climits>
#include <gtest/gtest.h>

namespace {

std::vector<unsigned> g_sleeps;

class FrameSenderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_sleeps.clear();
        g_bFrameBusy = false;
        setSleepFunction([](unsigned ms) { g_sleeps.push_back(ms); });
        ASSERT_TRUE(port.Open(1, 250000));
        device.clearRecord();
    }
    void TearDown() override
    {
        setSleepFunction(nullptr);
        setClockFunction(nullptr);
    }

    // The 512 frame bytes of the one frame sent.
    std::vector<uint8_t> sendOne()
    {
        sender.SendFrame(strips);
        EXPECT_EQ(device.writes.size(), 2u);
        return device.writes.size() == 2 ? device.writes[1].bytes : std::vector<uint8_t>();
    }

    static std::vector<uint8_t> frameWith(std::map<int, uint8_t> slots)
    {
        std::vector<uint8_t> frame(512, 0);
        for (const auto& [slot, value] : slots)
            frame[static_cast<size_t>(slot)] = value;
        return frame;
    }

    FakeSerialDevice device;
    CSerialPort port{device};
    SerialLineOutput line{port};
    FrameSender sender{line};
    FakeLevels strips;
};

} // namespace

TEST_F(FrameSenderTest, ResetByteAtTheBreakRateThenTheFrameAtTheDmxRateThenThePause)
{
    sender.SendFrame(strips);

    ASSERT_EQ(device.writes.size(), 2u);
    EXPECT_EQ(device.writes[0].bytes, std::vector<uint8_t>{0x00});
    EXPECT_EQ(device.writes[0].baudRate, 57600u);
    EXPECT_EQ(device.writes[1].baudRate, 250000u);
    EXPECT_EQ(device.writes[1].bytes, frameWith({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}}));
    EXPECT_EQ(port.m_nBaudRate, 250000u);
    EXPECT_EQ(g_sleeps, std::vector<unsigned>{50});
    EXPECT_FALSE(g_bFrameBusy);

    // The nine low bits of the reset byte must outlast the 92 us a DMX break needs.
    EXPECT_GE(9.0e6 / device.writes[0].baudRate, 92.0);
}

TEST_F(FrameSenderTest, StripsAreReadBetweenTheResetByteAndTheSwitchBack)
{
    strips.readLog = &device.calls;
    sender.SendFrame(strips);

    const auto at = [&](const std::string& call) {
        return std::find(device.calls.begin(), device.calls.end(), call) - device.calls.begin();
    };
    EXPECT_LT(at("setLineSettings(57600)"), at("startWrite(1)"));
    EXPECT_LT(at("startWrite(1)"), at("readLevels"));
    EXPECT_LT(at("readLevels"), at("setLineSettings(250000)"));
    EXPECT_LT(at("setLineSettings(250000)"), at("startWrite(512)"));
}

TEST_F(FrameSenderTest, StripsFillTheirSlots)
{
    // A later strip overwrites an earlier one naming the same channel; values keep their low
    // 8 bits.
    strips.setStrip(1, 7, 10);
    strips.setStrip(2, 7, 20);
    strips.setStrip(3, 9, 256);
    strips.setStrip(4, 10, -1);
    strips.setStrip(5, 511, 0x1AB);
    strips.setStrip(6, 100, 0x0A);
    EXPECT_EQ(sendOne(), frameWith({{7, 20}, {9, 0}, {10, 255}, {511, 0xAB}, {100, 0x0A}}));
}

TEST_F(FrameSenderTest, ChannelZeroSetsTheStartCodeAndChannel512NeverLeaves)
{
    strips.setStrip(1, 0, 0xCC);
    strips.setStrip(2, 512, 77);
    EXPECT_EQ(sendOne(), frameWith({{0, 0xCC}, {3, 1}, {4, 1}, {5, 1}, {6, 1}}));
}

TEST_F(FrameSenderTest, ChannelsOutsideTheFrameAreIgnored)
{
    strips.setStrip(1, -1, 9);
    strips.setStrip(2, 513, 9);
    strips.setStrip(3, INT_MAX, 9);
    strips.setStrip(4, INT_MIN, 9);
    EXPECT_EQ(sendOne(), frameWith({{5, 1}, {6, 1}}));
}

TEST_F(FrameSenderTest, EveryFrameStartsFromZero)
{
    strips.setStrip(1, 200, 99);
    sendOne();
    device.clearRecord();
    strips.setStrip(1, 1, 1);
    EXPECT_EQ(sendOne(), frameWith({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}}));
    EXPECT_EQ(device.writes[0].bytes, std::vector<uint8_t>{0x00});
}

TEST_F(FrameSenderTest, ABusySenderDropsTheRequest)
{
    g_bFrameBusy = true;
    sender.SendFrame(strips);
    EXPECT_TRUE(device.calls.empty());
    EXPECT_TRUE(g_sleeps.empty());
    EXPECT_TRUE(g_bFrameBusy);
}

TEST_F(FrameSenderTest, AClosedPortWritesNothingButStillPauses)
{
    port.Close();
    device.clearRecord();
    sender.SendFrame(strips);
    EXPECT_TRUE(device.writes.empty());
    EXPECT_EQ(g_sleeps, std::vector<unsigned>{50});
    EXPECT_FALSE(g_bFrameBusy);
    EXPECT_EQ(port.m_nBaudRate, 250000u);
}

TEST_F(FrameSenderTest, FailedWritesDoNotStopTheFrame)
{
    using Script = FakeSerialDevice::WriteScript;
    device.writeScript = {Script::RefusedAtOnce, Script::Short};
    sender.SendFrame(strips);
    EXPECT_EQ(device.callsStartingWith("startWrite").size(), 2u);
    EXPECT_EQ(g_sleeps, std::vector<unsigned>{50});
    EXPECT_FALSE(g_bFrameBusy);
}

TEST_F(FrameSenderTest, AnIdleOutputGetsItsLastFrameAgainByteForByte)
{
    static std::chrono::steady_clock::time_point now;
    setClockFunction([] { return now; });
    FrameSender idle{line};
    idle.RefreshIdleOutput();
    EXPECT_TRUE(device.writes.empty()) << "nothing to repeat before the first frame";

    idle.SendFrame(strips);
    strips.setStrip(2, 2, 200); // typed, not sent: a refresh repeats what went out
    now += kRefreshAfter - std::chrono::milliseconds(1);
    idle.RefreshIdleOutput();
    EXPECT_EQ(device.writes.size(), 2u);
    now += std::chrono::milliseconds(1);
    idle.RefreshIdleOutput();
    ASSERT_EQ(device.writes.size(), 4u);
    EXPECT_EQ(std::vector(device.writes.begin() + 2, device.writes.end()),
              std::vector(device.writes.begin(), device.writes.begin() + 2));
    EXPECT_EQ(g_sleeps, (std::vector<unsigned>{50, 50}));

    // The refresh counts as a frame; a busy sender and a closed port get none.
    idle.RefreshIdleOutput();
    g_bFrameBusy = true;
    now += kRefreshAfter;
    idle.RefreshIdleOutput();
    g_bFrameBusy = false;
    port.Close();
    idle.RefreshIdleOutput();
    EXPECT_EQ(device.writes.size(), 4u);
}
