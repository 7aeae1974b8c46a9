// The DMX USB Pro widget's replies as the parser finds them in the bytes read from its port.
#include "output/serial/UsbProMessage.h"

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

} // namespace

TEST(UsbProReplyTest, RepliesAreTakenWholeAndNothingElseIsTrusted)
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
