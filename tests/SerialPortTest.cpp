#include "serial/SerialPort.h"
#include "support/FakeSerialDevice.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

using Calls = std::vector<std::string>;

namespace {

class SerialPortTest : public ::testing::Test
{
protected:
    FakeSerialDevice device;
    CSerialPort port{device};

    void openOrFail()
    {
        ASSERT_TRUE(port.Open(1, 250000));
        device.clearRecord();
    }
};

const Calls kCloseCalls = {"setEventMask(0)", "setDtr(0)", "purge(15)", "close"};

} // namespace

TEST_F(SerialPortTest, OpenConfiguresTheDeviceInOrderAndAppliesTheConstructedLine)
{
    EXPECT_FALSE(port.IsOpen());
    ASSERT_TRUE(port.Open(1, 250000));
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.m_hPort, &device);

    const Calls expected = {"openExclusive(1)",
                            "setEventMask(1)",
                            "setQueueSizes(4096,4096)",
                            "purge(15)",
                            "setTimeouts(4294967295,0,1000,0,0)",
                            "getLineSettings",
                            "setLineSettings(250000)",
                            "setDtr(1)"};
    EXPECT_EQ(device.calls, expected);

    const LineSettings& line = device.line;
    EXPECT_EQ(line.BaudRate, 250000u);
    EXPECT_EQ(line.ByteSize, 8);
    EXPECT_EQ(line.Parity, NOPARITY);
    EXPECT_EQ(line.StopBits, TWOSTOPBITS);
    EXPECT_EQ(line.EvtChar, 13);
    EXPECT_FALSE(line.fOutxDsrFlow);
    EXPECT_EQ(line.fDtrControl, DTR_CONTROL_ENABLE);
    EXPECT_FALSE(line.fOutxCtsFlow);
    EXPECT_EQ(line.fRtsControl, RTS_CONTROL_ENABLE);
    EXPECT_FALSE(line.fOutX);
    EXPECT_FALSE(line.fInX);
    EXPECT_EQ(line.XonChar, 0x11);
    EXPECT_EQ(line.XoffChar, 0x13);
    EXPECT_EQ(line.XonLim, 100);
    EXPECT_EQ(line.XoffLim, 100);
    EXPECT_TRUE(line.fBinary);
    EXPECT_TRUE(device.dtr);
}

TEST_F(SerialPortTest, WriteTimeoutMultiplierFollowsTheOpeningRateOnly)
{
    const std::pair<unsigned, uint32_t> cases[] = {{19200, 1}, {9600, 2},  {300, 64},  {7, 2742},
                                                   {1, 19200}, {19201, 0}, {250000, 0}};
    for (const auto& [rate, multiplier] : cases) {
        ASSERT_TRUE(port.Open(1, rate)) << rate;
        EXPECT_EQ(device.timeouts.WriteTotalTimeoutMultiplier, multiplier) << rate;
        EXPECT_EQ(device.timeouts.WriteTotalTimeoutConstant, 0u);
        EXPECT_EQ(device.line.BaudRate, rate);
        port.Close();
    }

    // A later rate change does not touch the time-outs.
    device.clearRecord();
    ASSERT_TRUE(port.Open(1, 9600));
    port.m_nBaudRate = 250000;
    EXPECT_TRUE(port.ApplyLineSettings());
    EXPECT_EQ(device.timeouts.WriteTotalTimeoutMultiplier, 2u);
    EXPECT_EQ(device.callsStartingWith("setTimeouts").size(), 1u);
}

TEST_F(SerialPortTest, FlowControlBitsChooseTheHandshakes)
{
    openOrFail();
    port.m_nFlowControl = FLOW_DTRDSR | FLOW_RTSCTS | FLOW_XONXOFF;
    ASSERT_TRUE(port.ApplyLineSettings());
    EXPECT_TRUE(device.line.fOutxDsrFlow);
    EXPECT_EQ(device.line.fDtrControl, DTR_CONTROL_HANDSHAKE);
    EXPECT_TRUE(device.line.fOutxCtsFlow);
    EXPECT_EQ(device.line.fRtsControl, RTS_CONTROL_HANDSHAKE);
    EXPECT_TRUE(device.line.fOutX);
    EXPECT_TRUE(device.line.fInX);

    port.m_nFlowControl = FLOW_RTSCTS;
    ASSERT_TRUE(port.ApplyLineSettings());
    EXPECT_FALSE(device.line.fOutxDsrFlow);
    EXPECT_EQ(device.line.fDtrControl, DTR_CONTROL_ENABLE);
    EXPECT_TRUE(device.line.fOutxCtsFlow);
    EXPECT_FALSE(device.line.fOutX);
}

TEST_F(SerialPortTest, LineSettingsKeepWhatTheyDoNotName)
{
    device.line.XonChar = 0x01;
    device.line.fParity = false;
    device.line.ByteSize = 5;
    openOrFail();
    // Named members are overwritten; the device's own answer is the base.
    EXPECT_EQ(device.line.XonChar, 0x11);
    EXPECT_EQ(device.line.ByteSize, 8);
    EXPECT_TRUE(device.line.fParity);
}

TEST_F(SerialPortTest, FailedOpenLeavesThePortClosedWithNothingHeld)
{
    // Absent port: nothing is configured.
    device.presentPorts = {2};
    EXPECT_FALSE(port.Open(1, 250000));
    EXPECT_EQ(device.calls, Calls{"openExclusive(1)"});
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.m_hPort, nullptr);
    EXPECT_EQ(port.LastOpenFailure().cause, OpenFailure::Cause::NoSuchPort);

    // A present port the system refuses: the device's own account is kept.
    device.refuseOpen = OpenFailure{OpenFailure::Cause::PermissionDenied, "/dev/ttyUSB1", "denied"};
    EXPECT_FALSE(port.Open(2, 250000));
    EXPECT_EQ(port.LastOpenFailure().cause, OpenFailure::Cause::PermissionDenied);
    EXPECT_EQ(port.LastOpenFailure().device, "/dev/ttyUSB1");
    EXPECT_EQ(port.LastOpenFailure().reason, "denied");
    device.refuseOpen.reset();

    // Refused settings: the device is configured, then closed again.
    device.presentPorts = {1};
    device.refuseSettings = true;
    device.clearRecord();
    EXPECT_FALSE(port.Open(1, 250000));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.m_hPort, nullptr);
    EXPECT_FALSE(device.open);
    const Calls tail(device.calls.end() - 5, device.calls.end());
    EXPECT_EQ(tail, (Calls{"setLineSettings(250000)", "setEventMask(0)", "setDtr(0)", "purge(15)",
                           "close"}));
    EXPECT_TRUE(device.callsStartingWith("setDtr(1)").empty());
    EXPECT_EQ(port.LastOpenFailure().cause, OpenFailure::Cause::SettingsRefused);

    // Rate 0 fails before the device is touched, and a later open works.
    device.refuseSettings = false;
    device.clearRecord();
    EXPECT_FALSE(port.Open(1, 0));
    EXPECT_TRUE(device.calls.empty());
    EXPECT_EQ(port.LastOpenFailure().cause, OpenFailure::Cause::InvalidRate);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(port.Open(1, 250000));
}

TEST_F(SerialPortTest, OpenOnAnOpenPortWarnsAndStoresTheRateForTheNextApply)
{
    static int notices = 0;
    setPortAlreadyOpenNotice([] { ++notices; });
    openOrFail();
    EXPECT_FALSE(port.Open(2, 9600));
    setPortAlreadyOpenNotice(nullptr);
    EXPECT_EQ(notices, 1);
    EXPECT_TRUE(device.calls.empty());
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(device.line.BaudRate, 250000u);

    EXPECT_TRUE(port.ApplyLineSettings());
    EXPECT_EQ(device.line.BaudRate, 9600u);
}

TEST_F(SerialPortTest, CloseReleasesOnceAndIsHarmlessWhenClosed)
{
    EXPECT_TRUE(port.Close());
    EXPECT_TRUE(device.calls.empty());

    openOrFail();
    EXPECT_TRUE(port.Close());
    EXPECT_TRUE(port.Close());
    EXPECT_EQ(device.calls, kCloseCalls);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(device.dtr);
    EXPECT_FALSE(port.ApplyLineSettings());
}

TEST_F(SerialPortTest, WriteOnAClosedPortFailsWithoutTouchingTheDevice)
{
    const uint8_t byte = 0;
    EXPECT_FALSE(port.WriteBlock(&byte, 1));
    openOrFail();
    port.Close();
    device.clearRecord();
    EXPECT_FALSE(port.WriteBlock(&byte, 1));
    EXPECT_TRUE(device.calls.empty());
}

TEST_F(SerialPortTest, WriteResultsAndTheirDiagnosticLines)
{
    using Script = FakeSerialDevice::WriteScript;
    struct Case
    {
        Script script;
        bool result;
        std::vector<std::string> lines;
        bool clearsError;
    };
    const Case cases[] = {
        {Script::AtOnce, true, {}, false},
        {Script::Pending, true, {"\n512 bytes written"}, false},
        {Script::PendingTwice, true, {"\n512 bytes written"}, false},
        {Script::Short, false, {"\nProbable Write Timeout: Total of 511 bytes sent"}, false},
        {Script::WaitError, false, {"\nProbable Write Timeout: Total of 256 bytes sent"}, true},
        {Script::RefusedAtOnce, false, {}, true},
    };
    const std::vector<uint8_t> block(512, 0x55);
    openOrFail();
    for (const Case& c : cases) {
        LogCapture diagnostics(LogLevel::Debug);
        device.clearRecord();
        device.writeScript = {c.script};
        EXPECT_EQ(port.WriteBlock(block.data(), 512), c.result) << static_cast<int>(c.script);
        EXPECT_EQ(diagnostics.lines(), c.lines) << static_cast<int>(c.script);
        EXPECT_EQ(device.callsStartingWith("clearError").size(), c.clearsError ? 1u : 0u)
            << static_cast<int>(c.script);
    }
    EXPECT_EQ(device.callsStartingWith("waitForWrite").size(), 0u); // the last case never waits
}

TEST_F(SerialPortTest, NegativeLengthIsRefused)
{
    openOrFail();
    const uint8_t byte = 0;
    EXPECT_FALSE(port.WriteBlock(&byte, -1));
    EXPECT_TRUE(device.calls.empty());
}
