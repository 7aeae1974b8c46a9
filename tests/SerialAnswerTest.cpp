// What the serial kinds hear and tell: the DMX USB Pro widget's replies found in a byte stream,
// and the status of both kinds on a fake device with a clock of the test's own.
#include "dmx/Sleep.h"
#include "output/OutputSettings.h"
#include "output/serial/SerialLineOutput.h"
#include "output/serial/UsbProOutput.h"
#include "serial/SerialPort.h"
#include "support/FakeSerialDevice.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

// The replies of a widget with firmware 1.44 and serial number 12345678, whole.
const Bytes kParameters = {0x7E, 3, 5, 0, 44, 1, 9, 1, 40, 0xE7}; // break 9, MAB 1, 40/s
const Bytes kSerialNumber = {0x7E, 10, 4, 0, 0x78, 0x56, 0x34, 0x12, 0xE7};

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::chrono::steady_clock::time_point g_now;

} // namespace

TEST(SerialAnswerTest, RepliesAreTakenWholeAndNothingElseIsTrusted)
{
    struct Case
    {
        const char* what;
        std::vector<Bytes> pieces;
        std::vector<std::string> yields;
        int skipped;
    };
    const Case cases[] = {
        {"both", {kParameters + kSerialNumber}, {"firmware 1.44", "serial 12345678"}, 0},
        {"in pieces",
         {{0x7E}, {10, 4}, {0}, {0x78, 0x56, 0x34}, {0x12, 0xE7}},
         {"serial 12345678"},
         0},
        {"junk before", {Bytes{0x00, 0xE7, 0x55} + kSerialNumber}, {"serial 12345678"}, 1},
        {"minor below 10", {{0x7E, 3, 5, 0, 5, 2, 9, 1, 40, 0xE7}}, {"firmware 2.05"}, 0},
        // A message torn after its header, with a whole reply where its data should be.
        {"wrong end byte", {Bytes{0x7E, 10, 4, 0} + kSerialNumber}, {"serial 12345678"}, 1},
        {"length over 600", {Bytes{0x7E, 3, 0x59, 0x02} + kParameters}, {"firmware 1.44"}, 1},
        {"label asked for by nobody",
         {Bytes{0x7E, 5, 2, 0, 0, 0, 0xE7} + kParameters},
         {"firmware 1.44"},
         1},
        {"no decimal serial number", {{0x7E, 10, 4, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xE7}}, {}, 1},
        {"parameters too short", {{0x7E, 3, 4, 0, 44, 1, 9, 1, 0xE7}}, {}, 1},
        {"still incomplete", {{0x7E, 3, 5, 0, 44}}, {}, 0},
    };
    for (const Case& c : cases) {
        UsbProReplyParser parser;
        std::vector<std::string> yielded;
        for (const Bytes& piece : c.pieces) {
            for (const UsbProReply& reply : parser.Take(piece))
                yielded.push_back(reply.label == kUsbProParametersLabel
                                      ? "firmware " + usbProParameters(reply).firmware
                                      : "serial " + usbProSerialNumber(reply));
        }
        EXPECT_EQ(yielded, c.yields) << c.what;
        EXPECT_EQ(parser.Skipped(), c.skipped) << c.what;
    }
}

TEST(SerialAnswerTest, TheStatusTellsWhatTheInterfaceSaidAndWhetherWritesFail)
{
    setClockFunction([] { return g_now; });
    FakeSerialDevice device;
    CSerialPort port{device};
    UsbProOutput pro{port};
    SerialLineOutput line{port};
    LogCapture warnings(LogCategory::Serial, LogLevel::Warning);

    // The widget is asked on opening, and stays silent past its time; a late answer counts.
    ASSERT_TRUE(pro.Open({.kind = OutputKind::UsbPro, .address = {}}));
    ASSERT_EQ(device.writes.size(), 2u);
    EXPECT_EQ(device.writes[0].bytes, (Bytes{0x7E, 3, 2, 0, 0, 0, 0xE7})); // no user configuration
    EXPECT_EQ(device.writes[1].bytes, (Bytes{0x7E, 10, 0, 0, 0xE7}));
    g_now += kUsbProAnswerTime - std::chrono::milliseconds(1);
    pro.Poll();
    EXPECT_FALSE(pro.Status().noAnswer);
    g_now += std::chrono::milliseconds(1);
    pro.Poll();
    pro.Poll();
    EXPECT_TRUE(pro.Status().noAnswer);
    EXPECT_EQ(warnings.lines().size(), 1u);
    device.incoming.assign(kSerialNumber.begin(), kSerialNumber.end());
    pro.Poll();
    EXPECT_EQ(pro.Status().serialNumber, "12345678");
    EXPECT_FALSE(pro.Status().noAnswer);
    pro.Close();

    // A frame whose reset byte fails is one failure however its slots went; the next frame
    // that goes out whole ends it, and so does a fresh open.
    ASSERT_TRUE(line.Open({}));
    g_now += kUsbProAnswerTime;
    using Script = FakeSerialDevice::WriteScript;
    for (const auto& [script, failing] : {std::pair{Script::RefusedAtOnce, true},
                                          {Script::AtOnce, false},
                                          {Script::RefusedAtOnce, true}}) {
        device.writeScript = {script};
        line.BeginFrame();
        line.WriteFrame({});
        line.Poll();
        EXPECT_EQ(line.Status().writesFailing, failing);
    }
    EXPECT_FALSE(line.Status().noAnswer);
    line.Close();
    ASSERT_TRUE(line.Open({}));
    EXPECT_FALSE(line.Status().writesFailing);
    EXPECT_EQ(warnings.lines().size(), 4u); // silence, failing, working again, failing
    EXPECT_EQ(warnings.lines()[1], "cannot send to COM1: Input/output error; frames are lost until "
                                   "sending works again");
    setClockFunction(nullptr);
}
