// The Win32 serial device against a real COM port. Most cases need a port that nobody else
// holds, named by ORVANEL_TEST_COM (its number); pty_harness.py provides one under wine and
// checks on the far side that the bytes written here arrive unaltered. It reads the lines this
// program prints that start with "LINE ": what it sent, so it can rebuild the expected stream.
#include "serial/win32/Win32SerialDevice.h"

#include "dmx/FrameSender.h"
#include "output/serial/SerialLineOutput.h"
#include "serial/PortNames.h"
#include "serial/SerialPort.h"
#include "support/FakeLevels.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int portFromEnvironment(const char* name)
{
    const char* text = std::getenv(name);
    return text ? std::atoi(text) : 0;
}

// The handles this process holds, found by asking after each possible handle value in turn
// (wine does not count them for GetProcessHandleCount).
int handleCount()
{
    int count = 0;
    for (uintptr_t value = 4; value < 4 * 4096; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    }
    return count;
}

bool runningUnderWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// A note for the harness on the far side of the line.
void tellHarness(const std::string& note)
{
    std::printf("LINE %s\n", note.c_str());
    std::fflush(stdout);
}

class Win32SerialDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        comPort = portFromEnvironment("ORVANEL_TEST_COM");
        if (comPort == 0)
            GTEST_SKIP() << "ORVANEL_TEST_COM names no free COM port";
    }

    int comPort = 0;
};

} // namespace

TEST(Win32SerialDevice, AbsentPortFailsWithItsNameAndReasonAndHoldsNothing)
{
    const int before = handleCount();
    ASSERT_GT(before, 0);
    LogCapture warnings(LogLevel::Warning);
    Win32SerialDevice device;
    CSerialPort port(device);

    EXPECT_FALSE(port.Open(250, 250000));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.m_hPort, nullptr);
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(handleCount(), before);

    ASSERT_EQ(warnings.lines().size(), 1u);
    const std::string& warning = warnings.lines()[0];
    EXPECT_NE(warning.find("\\\\.\\COM250"), std::string::npos) << warning;
    EXPECT_NE(warning.find("error 2)"), std::string::npos) << warning; // file not found
    EXPECT_EQ(warning.find('\n'), std::string::npos) << warning;

    // Nothing to act on while closed.
    size_t transferred = 0;
    EXPECT_EQ(device.startWrite("x", 1, transferred), WriteStatus::Failed);
    EXPECT_FALSE(device.setDtr(true));
    LineSettings settings;
    EXPECT_FALSE(device.getLineSettings(settings));
}

// The name is the one the device opens, so the operator sees what the port will drive.
TEST_F(Win32SerialDeviceTest, PortDeviceIsNamedOnlyWhenThePortExists)
{
    EXPECT_EQ(serialPortDevice(comPort), "\\\\.\\COM" + std::to_string(comPort));
    EXPECT_FALSE(serialPortDevice(250));
    EXPECT_FALSE(serialPortDevice(0));
    EXPECT_FALSE(serialPortDevice(-1));
}

TEST_F(Win32SerialDeviceTest, HeldPortIsRefusedToOthersUntilClosed)
{
    const int before = handleCount();
    Win32SerialDevice firstDevice;
    CSerialPort first(firstDevice);
    ASSERT_TRUE(first.Open(comPort, 250000));

    Win32SerialDevice second;
    if (runningUnderWine()) {
        // Wine lets a second opener share a serial device whatever the sharing mode says.
        std::printf("not checked under wine: a held port refused to a second opener\n");
    } else {
        LogCapture warnings(LogLevel::Warning);
        const int holding = handleCount();
        EXPECT_FALSE(second.openExclusive(comPort));
        EXPECT_EQ(handleCount(), holding); // its events are gone again
        ASSERT_EQ(warnings.lines().size(), 1u);
        EXPECT_NE(warnings.lines()[0].find("in use"), std::string::npos) << warnings.lines()[0];
    }
    // The same object cannot open a second port over its first either.
    EXPECT_FALSE(firstDevice.openExclusive(comPort));
    EXPECT_TRUE(first.IsOpen());

    EXPECT_TRUE(first.Close());
    EXPECT_TRUE(first.Close());
    EXPECT_EQ(handleCount(), before);
    ASSERT_TRUE(second.openExclusive(comPort));
    second.close();
    EXPECT_EQ(handleCount(), before);
}

TEST_F(Win32SerialDeviceTest, PortNumbersAboveNineOpen)
{
    const int highPort = portFromEnvironment("ORVANEL_TEST_COM_HIGH");
    if (highPort < 10)
        GTEST_SKIP() << "ORVANEL_TEST_COM_HIGH names no port above COM9";
    Win32SerialDevice device;
    CSerialPort port(device);
    ASSERT_TRUE(port.Open(highPort, 250000));
    EXPECT_TRUE(port.Close());
}

TEST_F(Win32SerialDeviceTest, OpenLeavesTheDeviceInTheConstructedLineSettings)
{
    Win32SerialDevice device;
    CSerialPort port(device);
    ASSERT_TRUE(port.Open(comPort, 250000));

    LineSettings line;
    ASSERT_TRUE(device.getLineSettings(line));
    EXPECT_EQ(line.ByteSize, 8);
    EXPECT_EQ(line.Parity, NOPARITY);
    EXPECT_EQ(line.StopBits, TWOSTOPBITS);
    EXPECT_TRUE(line.fBinary);
    EXPECT_FALSE(line.fOutxCtsFlow);
    EXPECT_FALSE(line.fOutxDsrFlow);
    EXPECT_FALSE(line.fOutX);
    EXPECT_FALSE(line.fInX);
    EXPECT_EQ(line.fDtrControl, DTR_CONTROL_ENABLE);
    EXPECT_EQ(line.fRtsControl, RTS_CONTROL_ENABLE);
    // What the device reports for a rate it can only approximate is its own business.
    std::printf("device reports %lu baud after 250000 was set\n",
                static_cast<unsigned long>(line.BaudRate));

    // A refused setting leaves the port as it was.
    port.m_nByteSize = 3;
    EXPECT_FALSE(port.ApplyLineSettings());
    port.m_nByteSize = 8;
    ASSERT_TRUE(device.getLineSettings(line));
    EXPECT_EQ(line.ByteSize, 8);
    EXPECT_TRUE(port.Close());
}

TEST_F(Win32SerialDeviceTest, WhatTheOtherSideSendsIsReadAsItCameWithoutWaiting)
{
    Win32SerialDevice device;
    CSerialPort port(device);
    ASSERT_TRUE(port.Open(comPort, 250000));
    uint8_t buffer[64];
    EXPECT_EQ(port.ReadAvailable(buffer, sizeof buffer), 0);

    // Bytes a text-mode line would alter or take for itself, a reply's own start and end.
    tellHarness("answer 7e0a0d1113030000ffe7");
    const std::vector<uint8_t> sent = {0x7E, 0x0A, 0x0D, 0x11, 0x13, 0x03, 0x00, 0x00, 0xFF, 0xE7};
    std::vector<uint8_t> received;
    for (int attempt = 0; attempt < 500 && received.size() < sent.size(); ++attempt) {
        const int n = port.ReadAvailable(buffer, 4); // in pieces
        ASSERT_GE(n, 0);
        received.insert(received.end(), buffer, buffer + n);
        if (n == 0)
            Sleep(10);
    }
    EXPECT_EQ(received, sent);
    EXPECT_TRUE(port.Close());
    EXPECT_EQ(port.ReadAvailable(buffer, sizeof buffer), -1);
}

TEST_F(Win32SerialDeviceTest, FramesAndRateSwitchesReachTheLine)
{
    Win32SerialDevice device;
    CSerialPort port(device);
    SerialLineOutput line(port);
    FrameSender sender(line);
    ASSERT_TRUE(port.Open(comPort, 250000));

    FakeLevels strips;
    auto sendFrame = [&] {
        std::string levels = "frame";
        for (const auto& [channel, value] : strips.strips)
            levels += ' ' + std::to_string(channel) + ' ' + std::to_string(value);
        tellHarness(levels);
        sender.SendFrame(strips);
    };
    // The console as first shown, then bytes that a text-mode line would alter (0x0A, 0x0D,
    // 0x11, 0x13, 0x7F, 0xFF), the highest channels and values out of the byte range.
    sendFrame();
    strips.setStrip(1, 10, 0x0A);
    strips.setStrip(2, 13, 0x0D);
    strips.setStrip(3, 0x11, 0x11 + 256);
    strips.setStrip(4, 511, 0x13);
    strips.setStrip(5, 512, 0x7F);
    strips.setStrip(6, 300, -1);
    sendFrame();
    EXPECT_EQ(port.m_nBaudRate, kFrameBaudRate);

    // One marker byte at each rate, held long enough for the harness to read the line's state.
    const std::pair<unsigned, int> probes[] = {{kBreakBaudRate, 0xA5}, {kFrameBaudRate, 0x5A}};
    for (const auto& [rate, marker] : probes) {
        port.m_nBaudRate = rate;
        EXPECT_TRUE(port.ApplyLineSettings()) << rate;
        tellHarness("probe " + std::to_string(marker) + " " + std::to_string(rate));
        const unsigned char byte = static_cast<unsigned char>(marker);
        EXPECT_TRUE(port.WriteBlock(&byte, 1));
        Sleep(300);
    }

    EXPECT_TRUE(port.Close());
    // Nothing reaches the line once closed.
    const unsigned char stray = 0xEE;
    EXPECT_FALSE(port.WriteBlock(&stray, 1));
    tellHarness("end");
}
