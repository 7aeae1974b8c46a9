// The sACN and Art-Net outputs on a fake socket: what they open, how they fail, what they send.
#include "output/OutputSettings.h"
#include "output/artnet/ArtNetOutput.h"
#include "output/sacn/SacnOutput.h"
#include "support/FakeDatagramSocket.h"

#include <gtest/gtest.h>

#include <ranges>

namespace {

using Cause = OpenFailure::Cause;

std::vector<std::string> g_warnings;

OutputSettings network(OutputKind kind, int universe, const std::string& address = {})
{
    return {.kind = kind, .universe = universe, .address = address};
}

class NetworkOutputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_warnings.clear();
        setLogSink(
            [](LogCategory, LogLevel, std::string_view line) { g_warnings.emplace_back(line); });
    }
    void TearDown() override { setLogSink(nullptr); }

    // One byte of each datagram sent: sACN's sequence at 111, options at 112; Art-Net's at 12.
    std::vector<int> field(size_t offset) const
    {
        auto bytes =
            socket.datagrams | std::views::transform([&](auto& d) { return d.at(offset); });
        return {bytes.begin(), bytes.end()};
    }

    FakeDatagramSocket socket;
    DmxFrame frame{};
};

} // namespace

TEST_F(NetworkOutputTest, UniverseAndAddressAreCheckedBeforeAnythingOpens)
{
    // sACN or Art-Net, universe, address typed; where it opened, or why not.
    using Case = std::tuple<bool, int, std::string, Ipv4Endpoint, Cause>;
    const Case cases[] = {
        {true, 1, "", {0xEFFF0001, 5568}, Cause::None}, // 239.255.0.1
        {true, 63999, " ", {0xEFFFF9FF, 5568}, Cause::None},
        {true, 7, "010.0.0.255", {0x0A0000FF, 5568}, Cause::None},
        {false, 0, "", {0xFFFFFFFF, 6454}, Cause::None},
        {false, 32767, " 10.255.255.255\t", {0x0AFFFFFF, 6454}, Cause::None},
        {true, 0, "", {}, Cause::UniverseOutOfRange},
        {true, 64000, "", {}, Cause::UniverseOutOfRange},
        {false, 32768, "", {}, Cause::UniverseOutOfRange},
    };
    for (const auto& [isSacn, universe, address, endpoint, cause] : cases) {
        FakeDatagramSocket fresh;
        SacnOutput sacn{fresh};
        ArtNetOutput art{fresh};
        const bool opened = isSacn ? sacn.Open(network(OutputKind::Sacn, universe, address))
                                   : art.Open(network(OutputKind::ArtNet, universe, address));
        const OpenFailure& failure = isSacn ? sacn.LastOpenFailure() : art.LastOpenFailure();
        EXPECT_EQ(failure.cause, cause) << universe << address;
        EXPECT_EQ(fresh.opened, opened ? std::vector{endpoint} : std::vector<Ipv4Endpoint>{});
        EXPECT_EQ(failure.reason, opened ? "" : std::to_string(universe));
    }
    for (const char* address : {"1.2.3", "256.1.1.1", " 1.2.3.4x", "::1", "1.2.3.4.5", "1..2.3",
                                "0001.2.3.4", "-1.2.3.4", "host"}) {
        SacnOutput sacn{socket};
        sacn.Open(network(OutputKind::Sacn, 1, address));
        EXPECT_EQ(sacn.LastOpenFailure().cause, Cause::NotIpv4Address) << address;
        EXPECT_EQ(sacn.LastOpenFailure().reason, address);
    }

    socket.refusal = OpenFailure{Cause::NoNetwork, "239.255.0.1:5568", "Network unreachable"};
    SacnOutput sacn{socket};
    EXPECT_FALSE(sacn.Open(network(OutputKind::Sacn, 1)));
    EXPECT_EQ(sacn.LastOpenFailure().cause, Cause::NoNetwork);
    EXPECT_EQ(g_warnings.back(), "cannot send to 239.255.0.1:5568: Network unreachable");
}

TEST_F(NetworkOutputTest, SacnSequenceWrapsAndOnlyAStreamThatRanIsEnded)
{
    {
        SacnOutput sacn{socket};
        ASSERT_TRUE(sacn.Open(network(OutputKind::Sacn, 1)));
        sacn.Close();
        EXPECT_TRUE(socket.datagrams.empty()) << "nothing to end";
        ASSERT_TRUE(sacn.Open(network(OutputKind::Sacn, 1)));
        for (int i = 0; i < 257; ++i)
            sacn.WriteFrame(frame);
    } // leaving ends the stream
    const std::vector<int> sequence = field(111), options = field(112);
    ASSERT_EQ(sequence.size(), 260u);
    EXPECT_EQ(std::vector(sequence.end() - 6, sequence.end()), (std::vector{254, 255, 0, 1, 2, 3}));
    EXPECT_EQ(std::vector(options.end() - 4, options.end()), (std::vector{0, 0x40, 0x40, 0x40}));
    EXPECT_FALSE(socket.isOpen);
}

TEST_F(NetworkOutputTest, ArtNetSequenceRunsOnPastLostFramesWhichAreWarnedOfOnce)
{
    ArtNetOutput art{socket};
    ASSERT_TRUE(art.Open(network(OutputKind::ArtNet, 1, "10.0.0.9")));
    socket.failSends = true;
    art.WriteFrame(frame); // sequence 1, lost
    art.WriteFrame(frame);
    EXPECT_TRUE(art.Status().writesFailing);
    socket.failSends = false;
    frame[0] = 0xCC; // a start code ArtDmx cannot carry
    art.WriteFrame(frame);
    art.WriteFrame(frame);
    frame[0] = 0;
    for (int i = 0; i < 254; ++i)
        art.WriteFrame(frame);
    EXPECT_FALSE(art.Status().writesFailing);
    art.Close();
    const std::vector<int> sequence = field(12);
    ASSERT_EQ(sequence.size(), 254u) << "Art-Net has no end of stream";
    EXPECT_EQ(std::vector(sequence.end() - 3, sequence.end()), (std::vector{254, 255, 1}));
    EXPECT_EQ(g_warnings, (std::vector<std::string>{
                              "cannot send to 10.0.0.9:6454: Network is down; frames are lost "
                              "until sending works again",
                              "Art-Net carries only frames of start code 0; frames of start code "
                              "204 are not sent",
                              "sending to 10.0.0.9:6454 works again"}));
}
