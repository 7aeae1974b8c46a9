// The platform's socket for real, on the loopback interface: outputs send to 127.0.0.1, typed,
// where a socket bound there takes the packets in through its receive path.
#include "net/SystemDatagramSocket.h"
#include "output/OutputSettings.h"
#include "output/artnet/ArtNetOutput.h"
#include "output/artnet/ArtNetPacket.h"
#include "output/sacn/SacnOutput.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

constexpr uint32_t kLoopback = 0x7F000001;

// The next datagram; empty after a second without one.
std::vector<uint8_t> receive(DatagramSocket& socket)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    for (;;) {
        if (std::optional<ReceivedDatagram> datagram = socket.receive())
            return datagram->bytes;
        if (std::chrono::steady_clock::now() > deadline)
            return {};
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

} // namespace

TEST(LoopbackSendTest, PacketsArriveInSequenceAndAnAbsentReceiverCostsNoFrames)
{
    SystemDatagramSocket sacnReceiver;
    ASSERT_TRUE(sacnReceiver.open({{kLoopback, 0}, {kLoopback, kSacnPort}}))
        << sacnReceiver.openFailure().reason;
    EXPECT_FALSE(sacnReceiver.receive()) << "nothing has arrived yet";
    const LogCapture warnings(LogLevel::Warning);
    SacnOutput sacn{platformDatagramSocket()};
    ASSERT_TRUE(sacn.Open({.kind = OutputKind::Sacn, .universe = 5, .address = "127.0.0.1"}));
    DmxFrame frame{};
    for (frame[1] = 10; frame[1] <= 20; frame[1] += 10)
        sacn.WriteFrame(frame);
    sacn.Close();
    // Sequence number, options and channel 1 of each packet; three mark the stream's end.
    for (const auto& fields :
         {std::vector{0, 0, 10}, {1, 0, 20}, {2, 0x40, 20}, {3, 0x40, 20}, {4, 0x40, 20}}) {
        const std::vector<uint8_t> packet = receive(sacnReceiver);
        ASSERT_EQ(packet.size(), kSacnPacketLength);
        EXPECT_EQ((std::vector<int>{packet[111], packet[112], packet[126]}), fields);
    }

    // Nobody listens at 127.0.0.2: its port-unreachable answers must not fail sends. The packets
    // to 127.0.0.1 arrive.
    SystemDatagramSocket artReceiver;
    ASSERT_TRUE(artReceiver.open({{kLoopback, 0}, {kLoopback, kArtNetPort}}));
    ArtNetOutput art{platformDatagramSocket()};
    for (const char* address : {"127.0.0.2", "127.0.0.1"}) {
        ASSERT_TRUE(art.Open({.kind = OutputKind::ArtNet, .address = address}));
        for (int i = 0; i < 5; ++i)
            art.WriteFrame(DmxFrame{});
        art.Close();
    }
    EXPECT_TRUE(warnings.lines().empty()) << warnings.lines().front();
    EXPECT_EQ(artNetOpCode(receive(artReceiver)), kOpDmx);
}
