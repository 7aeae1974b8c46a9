// The sACN and Art-Net outputs on a fake socket: the interface they choose, what they open, how
// they fail, what they send and when.
#include "dmx/Sleep.h"
#include "net/InterfaceChoice.h"
#include "output/OutputSettings.h"
#include "output/artnet/ArtNetOutput.h"
#include "output/artnet/ArtNetPacket.h"
#include "output/sacn/SacnOutput.h"
#include "support/ArtNetNodeReply.h"
#include "support/FakeDatagramSocket.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <ranges>

namespace {

using Cause = OpenFailure::Cause;
using namespace std::chrono_literals;

std::chrono::steady_clock::time_point g_now;

OutputSettings network(OutputKind kind, int universe, const std::string& address = {})
{
    return {.kind = kind, .universe = universe, .address = address};
}

class NetworkOutputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setClockFunction([] { return g_now; });
    }
    void TearDown() override { setClockFunction(nullptr); }

    // One byte of each data packet sent: sACN's sequence at 111, options at 112; Art-Net's at 12.
    std::vector<int> field(size_t offset) const
    {
        std::vector<int> bytes;
        for (const auto& datagram : socket.datagrams) {
            if (datagram.size() == kSacnPacketLength || datagram.size() == kArtDmxPacketLength)
                bytes.push_back(datagram.at(offset));
        }
        return bytes;
    }

    LogCapture warnings{LogLevel::Warning};
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
        {false, 0, "", {0x0A0000FF, 6454}, Cause::None}, // eth0's directed broadcast
        {false, 1, "255.255.255.255", {0x0A0000FF, 6454}, Cause::None},
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
        EXPECT_EQ(fresh.setup.interfaceIndex, opened ? 2u : 0u) << "kept to eth0";
    }
    const std::pair<Cause, std::vector<std::string>> refusals[] = {
        {Cause::NotIpv4Address,
         {"1.2.3", "256.1.1.1", " 1.2.3.4x", "::1", "1.2.3.4.5", "1..2.3", "0001.2.3.4", "-1.2.3.4",
          "host"}},
        {Cause::NotADestination, {"0.0.0.0", " 0.1.2.3", "240.0.0.1", "255.255.255.254"}},
    };
    for (const auto& [cause, addresses] : refusals) {
        for (const std::string& address : addresses) {
            SacnOutput sacn{socket};
            sacn.Open(network(OutputKind::Sacn, 1, address));
            EXPECT_EQ(sacn.LastOpenFailure().cause, cause) << address;
            EXPECT_EQ(sacn.LastOpenFailure().reason, address);
        }
    }

    socket.refusal = OpenFailure{Cause::NoNetwork, "239.255.0.1:5568", "Network unreachable"};
    SacnOutput sacn{socket};
    EXPECT_FALSE(sacn.Open(network(OutputKind::Sacn, 1)));
    EXPECT_EQ(sacn.LastOpenFailure().cause, Cause::NoNetwork);
    EXPECT_EQ(warnings.lines().back(), "cannot send to 239.255.0.1:5568: Network unreachable");
}

TEST_F(NetworkOutputTest, SacnSequenceWrapsAndOnlyAStreamThatRanIsEnded)
{
    {
        SacnOutput sacn{socket};
        ASSERT_TRUE(sacn.Open(network(OutputKind::Sacn, 1)));
        sacn.Close();
        EXPECT_TRUE(field(111).empty()) << "nothing to end";
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
    EXPECT_EQ(warnings.lines(),
              (std::vector<std::string>{
                  "cannot send to 10.0.0.9:6454: Network is down; frames are lost "
                  "until sending works again",
                  "Art-Net carries only frames of start code 0; frames of start code "
                  "204 are not sent",
                  "sending to 10.0.0.9:6454 works again"}));
}

TEST(InterfaceChoiceTest, TheOperatorsChoiceOrTheOneTheDestinationNeeds)
{
    const NetworkInterface lo{"lo", 0x7F000001, 0xFF000000, 1, true, true};
    const NetworkInterface eth1{"eth1", 0x0200000A, 0xFF000000, 3, true, false}; // 2.0.0.10/8
    const std::vector<NetworkInterface> machines[] = {
        {lo,
         {"eth0", 0x0A000005, 0xFFFFFF00, 2, true, false},
         eth1,
         {"eth1", 0x0A09000A, 0xFFFF0000, 3, true, false},    // 10.9.0.10/16
         {"wlan0", 0xC0A80109, 0xFFFFFF00, 4, false, false}}, // down
        {lo, eth1},                                           // a show network alone
        {lo},
    };
    const Route viaEth0{0x0A000005, {}}, none{std::nullopt, "Network is unreachable"};
    const std::string up = "lo 127.0.0.1, eth0 10.0.0.5, eth1 2.0.0.10, eth1 10.9.0.10";
    // machine, wanted, destination, route; the address chosen, or why none
    using Case = std::tuple<int, std::string, uint32_t, Route, uint32_t, OpenFailure>;
    const Case cases[] = {
        {0, "", 0xEFFF0001, viaEth0, 0x0A000005, {}}, // multicast: the default route's
        {0, "", 0x02000014, viaEth0, 0x0200000A, {}}, // on eth1's network
        {0, "", 0x7F000001, viaEth0, 0x7F000001, {}}, // the loopback
        {0, "", 0xEFFF0001, none, 0, {Cause::InterfaceUnclear, "239.255.0.1:5568", up}},
        {1, "", 0xFFFFFFFF, none, 0x0200000A, {}}, // the one show network needs no route
        {2, "", 0xEFFF0001, none, 0, {Cause::NoNetwork, "239.255.0.1:5568", none.failure}},
        {0, "", 0x08080808, {0xAC100001, {}}, 0xAC100001, {}}, // an address the list lacks
        {0, "eth1", 0xEFFF0001, none, 0x0200000A, {}},         // by name: its first address
        {0, "eth1", 0x0A090101, none, 0x0A09000A, {}},         // ... or the one on the network
        {0, "10.9.0.10", 0xEFFF0001, viaEth0, 0x0A09000A, {}}, // by address
        {0, "wlan0", 0xEFFF0001, viaEth0, 0, {Cause::InterfaceDown, "wlan0", up}},
        {0, "192.168.1.9", 0xEFFF0001, viaEth0, 0, {Cause::InterfaceDown, "192.168.1.9", up}},
        {0, "eth9", 0xEFFF0001, viaEth0, 0, {Cause::InterfaceGone, "eth9", up}},
    };
    for (const auto& [machine, wanted, destination, route, chosen, failure] : cases) {
        const InterfaceChoice choice = chooseInterface(
            machines[machine], wanted, {destination, 5568}, [&](uint32_t) { return route; });
        EXPECT_EQ(choice.chosen ? choice.chosen->address : 0, chosen) << wanted << destination;
        EXPECT_EQ(choice.failure.cause, failure.cause) << wanted << destination;
        EXPECT_EQ(choice.failure.device + choice.failure.reason, failure.device + failure.reason);
    }
}

TEST_F(NetworkOutputTest, NewDataGoesOutThreeTimesAndTheUniverseIsAnnouncedEveryTenSeconds)
{
    const auto opened = g_now;
    SacnOutput sacn{socket};
    ASSERT_TRUE(sacn.Open(network(OutputKind::Sacn, 7, "10.0.0.9")));
    // When each step runs (ms from the opening); what it does: a frame of that level in slot 1,
    // or '.' the console's poll; what goes out then: 'd' for a discovery packet, else the levels.
    using Step = std::tuple<int, char, std::string>;
    // clang-format off
    const Step steps[] = {
        {0, 'a', "a"}, {40, '.', ""}, {50, '.', "a"}, {99, '.', ""}, {100, '.', "a"}, {300, '.', ""},
        {900, 'a', "a"}, {950, '.', ""},                                   // the same data: no copies
        {1000, 'b', "b"}, {1050, 'b', "b"}, {1100, '.', "b"}, {1200, '.', ""}, // a copy sent counts
        {9990, '.', ""}, {10000, '.', "d"}, {19990, '.', ""}, {20000, '.', "d"},
    };
    // clang-format on
    std::string sent;
    std::string expected = "d"; // the first announcement, as it opened
    for (const auto& [at, action, out] : steps) {
        g_now = opened + std::chrono::milliseconds(at);
        frame[1] = static_cast<uint8_t>(action);
        if (action == '.')
            sacn.Poll();
        else
            sacn.WriteFrame(frame);
        expected += out;
    }
    for (size_t i = 0; i < socket.datagrams.size(); ++i) {
        const bool data = socket.datagrams[i].size() == kSacnPacketLength;
        sent += data ? static_cast<char>(socket.datagrams[i][126]) : 'd';
        // Data to the receiver, announcements to the discovery group.
        EXPECT_EQ(socket.sentTo[i], (Ipv4Endpoint{data ? 0x0A000009u : 0xEFFFFAD6u, 5568}));
    }
    EXPECT_EQ(sent, expected);
}

TEST_F(NetworkOutputTest, ArtNetPollsAnswersAndSendsToTheNodesThatAskForItsPortAddress)
{
    const auto opened = g_now;
    ArtNetOutput art{socket};
    ASSERT_TRUE(art.Open(network(OutputKind::ArtNet, 0x123)));
    EXPECT_EQ(socket.setup.local, (Ipv4Endpoint{0, 6454})) << "listening";
    const auto received = [&](uint32_t from, std::vector<uint8_t> bytes) {
        socket.incoming.push_back({{from, 6454}, std::move(bytes)});
    };
    const ArtPollPacket ours = artPollPacket();
    const std::vector<uint8_t> poll(ours.begin(), ours.end());
    std::vector<uint8_t> otherRange = poll;
    otherRange[12] = 0x20; // targeted: 0x0200 to 0x0300
    otherRange.insert(otherRange.end(), {0x03, 0x00, 0x02, 0x00});
    received(0x0A000005, poll); // its own, looped back
    received(0x0A000007, otherRange);
    received(0x0A000014, nodePollReply(0x0A000014, "Dimmer", 0x123));
    received(0x0A000015, nodePollReply(0, "Spots", 0x124));              // its address left out
    received(0xC0A80505, nodePollReply(0xC0A80505, "Elsewhere", 0x123)); // not eth0's network
    art.WriteFrame(frame);
    art.Poll();
    const OutputStatus status = art.Status();
    EXPECT_EQ(status.recipients, Recipients::Heard);
    EXPECT_EQ(status.recipientCount, 1);
    EXPECT_EQ(status.heard, (std::vector<HeardReceiver>{{"Dimmer", 0x0A000014, {0x123}},
                                                        {"Spots", 0x0A000015, {0x124}}}));
    art.WriteFrame(frame);
    g_now = opened + 2750ms;
    art.Poll();
    g_now = opened + 10s; // ten seconds after the replies, the nodes are forgotten
    art.Poll();
    art.WriteFrame(frame);

    // Each datagram's OpCode and destination.
    using Sent = std::pair<std::optional<uint16_t>, Ipv4Endpoint>;
    std::vector<Sent> sent;
    for (size_t i = 0; i < socket.datagrams.size(); ++i)
        sent.emplace_back(artNetOpCode(socket.datagrams[i]), socket.sentTo[i]);
    const Ipv4Endpoint broadcast{0x0A0000FF, 6454};
    EXPECT_EQ(sent, (std::vector<Sent>{{kOpPoll, broadcast},
                                       {kOpDmx, broadcast}, // no node yet
                                       {kOpPollReply, {0x0A000005, 6454}},
                                       {kOpDmx, {0x0A000014, 6454}}, // the one node that asks
                                       {kOpDmx, {0x0A000014, 6454}}, // the data's third copy
                                       {kOpPoll, broadcast},
                                       {kOpPoll, broadcast},
                                       {kOpDmx, broadcast}}));
    const auto reply = parseArtPollReply(socket.datagrams[2]);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->address, 0x0A000005u);
    EXPECT_TRUE(reply->outputs.empty()) << "a controller";
    EXPECT_TRUE(art.Status().heard.empty());

    // With the port held by a program that does not share it, the data still goes out.
    socket.portTaken = true;
    socket.datagrams.clear();
    ASSERT_TRUE(art.Open(network(OutputKind::ArtNet, 0x123)));
    EXPECT_EQ(socket.setup.local, (Ipv4Endpoint{0x0A000005, 0}));
    received(0x0A000014, nodePollReply(0x0A000014, "Dimmer", 0x123));
    art.Poll();
    art.WriteFrame(frame);
    ASSERT_EQ(socket.datagrams.size(), 1u);
    EXPECT_EQ(artNetOpCode(socket.datagrams[0]), kOpDmx);
    EXPECT_EQ(socket.sentTo.back(), broadcast);
    ASSERT_EQ(warnings.lines().size(), 1u);
    EXPECT_TRUE(warnings.lines()[0].starts_with("cannot listen at UDP port 6454"))
        << warnings.lines()[0];
}
