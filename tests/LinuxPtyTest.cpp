// The Linux backend on real pseudo-terminals: the port's COM1 is the slave, the test reads
// what arrives on the master.
#include "dmx/FrameSender.h"
#include "dmx/Sleep.h"
#include "output/serial/SerialLineOutput.h"
#include "output/serial/UsbProOutput.h"
#include "serial/SerialPort.h"
#include "serial/linux/LinuxSerialDevice.h"
#include "support/FakeLevels.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <asm/termbits.h>
#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class Pty
{
public:
    Pty()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0)
            m_slavePath = ptsname(m_master);
    }
    ~Pty() { closeMaster(); }

    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    int master() const { return m_master; }
    const std::string& slavePath() const { return m_slavePath; }

    void closeMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

    // Reads until count bytes arrived or a second passed without any.
    std::vector<uint8_t> read(size_t count) const
    {
        std::vector<uint8_t> bytes;
        while (bytes.size() < count) {
            pollfd pfd{m_master, POLLIN, 0};
            if (poll(&pfd, 1, 1000) <= 0)
                break;
            uint8_t chunk[1024];
            const ssize_t n = ::read(m_master, chunk, std::min(sizeof chunk, count - bytes.size()));
            if (n <= 0)
                break;
            bytes.insert(bytes.end(), chunk, chunk + n);
        }
        return bytes;
    }

private:
    int m_master = -1;
    std::string m_slavePath;
};

class LinuxPtyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(pty.slavePath().empty()) << "no pseudo-terminal available";
        fs::create_directories(root.path() / "dev");
        fs::create_directories(root.path() / "sys");
        fs::create_symlink(pty.slavePath(), root.path() / "dev" / "ttyUSB0");
        setSleepFunction([](unsigned) {});
        g_bFrameBusy = false;
    }
    void TearDown() override { setSleepFunction(nullptr); }

    PortResolver resolver() const { return PortResolver(root.path() / "dev", root.path() / "sys"); }

    struct termios2 masterSettings() const
    {
        struct termios2 tio
        {};
        EXPECT_EQ(ioctl(pty.master(), TCGETS2, &tio), 0);
        return tio;
    }

    Pty pty;
    TempDir root;
    LinuxSerialDevice device{resolver()};
    CSerialPort port{device};
    SerialLineOutput line{port};
    FrameSender sender{line};
};

} // namespace

TEST_F(LinuxPtyTest, OpenSetsTheDmxLineAsTheOtherSideSeesIt)
{
    ASSERT_TRUE(port.Open(1, 250000));
    const struct termios2 tio = masterSettings();
    EXPECT_EQ(tio.c_ospeed, 250000u);
    EXPECT_EQ(tio.c_cflag & CBAUD, static_cast<tcflag_t>(BOTHER));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_TRUE(tio.c_cflag & CSTOPB);
    EXPECT_FALSE(tio.c_cflag & PARENB);
    EXPECT_FALSE(tio.c_cflag & CRTSCTS);
    EXPECT_TRUE(tio.c_cflag & CLOCAL);
    EXPECT_FALSE(tio.c_oflag & OPOST);
    EXPECT_FALSE(tio.c_iflag & (IXON | IXOFF));

    port.m_nBaudRate = kBreakBaudRate;
    ASSERT_TRUE(port.ApplyLineSettings());
    EXPECT_EQ(masterSettings().c_ospeed, 57600u);
}

TEST_F(LinuxPtyTest, FramesArriveByteExact)
{
    ASSERT_TRUE(port.Open(1, 250000));
    FakeLevels strips;
    // Line feed and carriage return must leave untranslated.
    strips.setStrip(1, 1, 0x0A);
    strips.setStrip(2, 2, 0x0D);
    strips.setStrip(3, 300, 0xFF);
    strips.setStrip(4, 0, 0x11); // XON, start code
    strips.setStrip(5, 511, 0x13);

    for (int frame = 0; frame < 3; ++frame) {
        sender.SendFrame(strips);
        const std::vector<uint8_t> bytes = pty.read(513);
        ASSERT_EQ(bytes.size(), 513u);
        std::vector<uint8_t> expected(513, 0);
        expected[1] = 0x11;
        expected[2] = 0x0A;
        expected[3] = 0x0D;
        expected[301] = 0xFF;
        expected[6 + 1] = 1;
        expected[512] = 0x13;
        EXPECT_EQ(bytes, expected);
    }
    EXPECT_TRUE(pty.read(1).empty());
    EXPECT_EQ(masterSettings().c_ospeed, 250000u);
}

TEST_F(LinuxPtyTest, WhatTheOtherSideSendsIsReadAsItCameWithoutWaiting)
{
    uint8_t buffer[64];
    EXPECT_EQ(port.ReadAvailable(buffer, sizeof buffer), -1) << "closed";
    ASSERT_TRUE(port.Open(1, 250000));
    EXPECT_EQ(port.ReadAvailable(buffer, sizeof buffer), 0);

    // Bytes a text-mode line would alter or take for itself, a reply's own start and end.
    const std::vector<uint8_t> sent = {0x7E, 0x0A, 0x0D, 0x11, 0x13, 0x03, 0x00, 0xFF, 0xE7};
    ASSERT_EQ(::write(pty.master(), sent.data(), sent.size()), 9);
    std::vector<uint8_t> received;
    for (int attempt = 0; attempt < 100 && received.size() < sent.size(); ++attempt) {
        const int n = port.ReadAvailable(buffer, 4); // in pieces
        ASSERT_GE(n, 0);
        received.insert(received.end(), buffer, buffer + n);
        std::this_thread::sleep_for(std::chrono::milliseconds(n > 0 ? 0 : 10));
    }
    EXPECT_EQ(received, sent);
}

TEST_F(LinuxPtyTest, ThePortIsExclusiveWhileHeld)
{
    ASSERT_TRUE(port.Open(1, 250000));
    LinuxSerialDevice secondDevice{resolver()};
    CSerialPort second{secondDevice};
    {
        LogCapture warnings(LogLevel::Warning);
        EXPECT_FALSE(second.Open(1, 250000));
        ASSERT_EQ(warnings.lines().size(), 1u);
        EXPECT_NE(warnings.lines()[0].find("ttyUSB0"), std::string::npos) << warnings.lines()[0];
        EXPECT_NE(warnings.lines()[0].find("in use"), std::string::npos) << warnings.lines()[0];
    }
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(second.LastOpenFailure().cause, OpenFailure::Cause::InUse);
    EXPECT_EQ(second.LastOpenFailure().device, (root.path() / "dev" / "ttyUSB0").string());
    port.Close();
    EXPECT_TRUE(second.Open(1, 250000));
}

TEST_F(LinuxPtyTest, AbsentPortsAndNonTerminalsDoNotOpen)
{
    LogCapture warnings(LogLevel::Warning);
    EXPECT_FALSE(port.Open(2, 250000));
    ASSERT_EQ(warnings.lines().size(), 1u);
    EXPECT_NE(warnings.lines()[0].find("COM2"), std::string::npos);
    EXPECT_EQ(port.LastOpenFailure().cause, OpenFailure::Cause::NoSuchPort);

    fs::remove(root.path() / "dev" / "ttyUSB0");
    std::ofstream(root.path() / "dev" / "ttyUSB0") << "not a terminal";
    EXPECT_FALSE(port.Open(1, 250000));
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(LinuxPtyTest, UnpluggingMakesWritesFailWithoutHanging)
{
    ASSERT_TRUE(port.Open(1, 250000));
    FakeLevels strips;
    sender.SendFrame(strips);
    EXPECT_EQ(pty.read(513).size(), 513u);

    pty.closeMaster();
    uint8_t byte = 0;
    EXPECT_EQ(port.ReadAvailable(&byte, 1), -1);
    const std::vector<uint8_t> block(512, 0x55);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(port.WriteBlock(block.data(), 512));
    EXPECT_FALSE(port.WriteBlock(block.data(), 1));
    sender.SendFrame(strips);
    EXPECT_FALSE(g_bFrameBusy);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(port.Close());
}

TEST_F(LinuxPtyTest, ATimedWriteToAStalledLineGivesUpShort)
{
    // Nobody reads the master; another writer has filled the line to the brim.
    const int filler = ::open(pty.slavePath().c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(filler, 0);
    // At 19200 baud a write of n bytes may take n ms.
    ASSERT_TRUE(port.Open(1, 19200));
    const std::vector<uint8_t> block(4096, 0x55);
    // The kernel moves written bytes on to the reader's side in the background: keep
    // writing until a pause frees no more room.
    for (bool tookMore = true; tookMore;) {
        tookMore = false;
        for (size_t chunk = block.size(); chunk > 0; chunk /= 2)
            while (::write(filler, block.data(), chunk) > 0)
                tookMore = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::close(filler);

    LogCapture diagnostics(LogLevel::Debug);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(port.WriteBlock(block.data(), 100));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(diagnostics.lines(),
              std::vector<std::string>{"\nProbable Write Timeout: Total of 0 bytes sent"});

    // The line drains again and later writes go through.
    pty.read(1 << 20);
    EXPECT_TRUE(port.WriteBlock(block.data(), 100));
}

TEST_F(LinuxPtyTest, AUsbProMessageArrivesWholeAtTheRateOpened)
{
    ASSERT_TRUE(port.Open(1, 115200));
    UsbProOutput pro{port};
    FrameSender proSender{pro};
    FakeLevels strips;
    strips.setStrip(1, 0x7E, 0xE7); // the message's own start and end bytes as data
    proSender.SendFrame(strips);

    std::vector<uint8_t> expected(518, 0);
    expected[0] = 0x7E;
    expected[1] = 6;
    expected[2] = 0x01; // 513 slots, least significant byte first
    expected[3] = 0x02;
    for (int channel = 2; channel <= 6; ++channel)
        expected[4 + channel] = 1;
    expected[4 + 0x7E] = 0xE7;
    expected[517] = 0xE7;
    EXPECT_EQ(pty.read(518), expected);
    EXPECT_TRUE(pty.read(1).empty());
    EXPECT_EQ(masterSettings().c_ospeed, 115200u);
}
