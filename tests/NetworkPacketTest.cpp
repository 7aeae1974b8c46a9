// The bytes of the network outputs' packets, written from the published layouts of E1.31 (sACN)
// and Art-Net 4, and the hashes that name the sACN source.
#include "output/artnet/ArtNetPacket.h"
#include "output/sacn/SacnIdentity.h"
#include "output/sacn/Sha1.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes text(const std::string& s, size_t fieldSize = 0)
{
    Bytes bytes(s.begin(), s.end());
    bytes.resize(std::max(fieldSize, bytes.size()), 0);
    return bytes;
}

const DmxFrame kFrame = [] {
    DmxFrame frame{}; // start code 0
    frame[1] = 0xFF;
    frame[512] = 0x7F;
    return frame;
}();
const Bytes kChannels = join({{0xFF}, Bytes(510, 0), {0x7F}}); // channels 1 to 512 of kFrame
const Uuid kCid = {0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7,
                   0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF};

} // namespace

TEST(NetworkPacketTest, Sha1AndTheSourcesNameBasedUuid)
{
    const std::pair<std::string, Sha1Digest> cases[] = {
        {"abc", {0xa9, 0x99, 0x3e, 0x36, 0x47, 0x06, 0x81, 0x6a, 0xba, 0x3e,
                 0x25, 0x71, 0x78, 0x50, 0xc2, 0x6c, 0x9c, 0xd0, 0xd8, 0x9d}},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", // 448 bits
         {0x84, 0x98, 0x3e, 0x44, 0x1c, 0x3b, 0xd2, 0x6e, 0xba, 0xae,
          0x4a, 0xa1, 0xf9, 0x51, 0x29, 0xe5, 0xe5, 0x46, 0x70, 0xf1}},
    };
    for (const auto& [message, digest] : cases)
        EXPECT_EQ(sha1(text(message)), digest) << message;

    // The published example: uuid5(NAMESPACE_DNS, "python.org").
    const Uuid dns = {0x6b, 0xa7, 0xb8, 0x10, 0x9d, 0xad, 0x11, 0xd1,
                      0x80, 0xb4, 0x00, 0xc0, 0x4f, 0xd4, 0x30, 0xc8};
    EXPECT_EQ(nameBasedUuid(dns, "python.org"),
              (Uuid{0x88, 0x63, 0x13, 0xe1, 0x3b, 0x8a, 0x53, 0x72, 0x9b, 0x90, 0x0c, 0x9a, 0xee,
                    0x19, 0x9e, 0x5d}));

    EXPECT_EQ(sacnSourceFor("4c9e0d2b", "desk").name, "Orvanel@desk");
    EXPECT_EQ(sacnSourceFor("4c9e0d2b", "renamed").cid, sacnSourceFor("4c9e0d2b", "desk").cid);
}

TEST(NetworkPacketTest, SacnDataPacketsFieldByField)
{
    // The source's name, and what the 64-byte field holds of it before its NULs: at most 63
    // bytes, never cut inside a character.
    const std::string a60(60, 'a');
    using Case = std::tuple<SacnStream, uint8_t, uint16_t, Bytes, Bytes, std::string, std::string>;
    const Case cases[] = {
        {SacnStream::Live, 0, 1, {0x00}, {0x00, 0x01}, "Orvanel@desk", "Orvanel@desk"},
        {SacnStream::Terminated, 255, 63999, {0x40}, {0xF9, 0xFF}, a60 + "aa\xC3\xA9", a60 + "aa"},
        {SacnStream::Live, 1, 256, {0x00}, {0x01, 0x00}, a60 + "\xF0\x9F\x98\x80", a60},
        {SacnStream::Live, 2, 2, {0x00}, {0x00, 0x02}, a60 + "\xE2\x82\xAC", a60 + "\xE2\x82\xAC"},
    };
    for (const auto& [stream, sequence, universe, options, universeField, name, field] : cases) {
        const Bytes expected = join({
            {0x00, 0x10},                                           // root layer: preamble size
            {0x00, 0x00},                                           // postamble size
            {'A', 'S', 'C', '-', 'E', '1', '.', '1', '7', 0, 0, 0}, // ACN packet identifier
            {0x72, 0x6E},                    // flags 0x7, length 622: from here to the end
            {0x00, 0x00, 0x00, 0x04},        // vector: VECTOR_ROOT_E131_DATA
            Bytes(kCid.begin(), kCid.end()), // CID
            {0x72, 0x58},                    // framing layer: flags 0x7, length 600
            {0x00, 0x00, 0x00, 0x02},        // vector: VECTOR_E131_DATA_PACKET
            text(field, 64),                 // source name, NUL-padded
            {100},                           // priority
            {0x00, 0x00},                    // synchronization address: none
            {sequence},                      // sequence number
            options,                         // options: 0x40 Stream_Terminated
            universeField,                   // universe
            {0x72, 0x0B},                    // DMP layer: flags 0x7, length 523
            {0x02},                          // vector: VECTOR_DMP_SET_PROPERTY
            {0xA1},                          // address type and data type
            {0x00, 0x00},                    // first property address
            {0x00, 0x01},                    // address increment
            {0x02, 0x01},                    // property value count: 513
            {0x00},                          // start code
            kChannels,                       // channels 1 to 512
        });
        const SacnPacket packet = sacnDataPacket({kCid, name}, universe, sequence, stream, kFrame);
        EXPECT_EQ(Bytes(packet.begin(), packet.end()), expected) << name;
    }
}

TEST(NetworkPacketTest, ArtDmxPacketsFieldByFieldWithThePortAddressSplit)
{
    using Case =
        std::tuple<uint16_t, uint8_t, uint8_t, uint8_t>; // port-address, sequence, SubUni, Net
    const Case cases[] = {{0, 1, 0x00, 0x00}, {0x1234, 255, 0x34, 0x12}, {32767, 7, 0xFF, 0x7F}};
    for (const auto& [portAddress, sequence, subUni, net] : cases) {
        const Bytes expected = join({
            {'A', 'r', 't', '-', 'N', 'e', 't', 0}, // ID
            {0x00, 0x50},                           // OpCode OpDmx 0x5000, low byte first
            {0, 14},                                // protocol version 14, high byte first
            {sequence, 0},                          // sequence, physical
            {subUni, net},                          // SubUni (Sub-Net, Universe), Net
            {0x02, 0x00},                           // length 512, high byte first
            kChannels,                              // channels 1 to 512, no start code
        });
        const ArtDmxPacket packet = artDmxPacket(portAddress, sequence, kFrame);
        EXPECT_EQ(Bytes(packet.begin(), packet.end()), expected) << portAddress;
    }
}

TEST(NetworkPacketTest, SacnUniverseDiscoveryFieldByField)
{
    const uint16_t universes[] = {300, 7, 64000};
    const Bytes expected = join({
        {0x00, 0x10, 0x00, 0x00},                               // preamble size, postamble size
        {'A', 'S', 'C', '-', 'E', '1', '.', '1', '7', 0, 0, 0}, // ACN packet identifier
        {0x70, 0x6E},                    // root layer: flags 0x7, length 110: from here to the end
        {0x00, 0x00, 0x00, 0x08},        // vector: VECTOR_ROOT_E131_EXTENDED
        Bytes(kCid.begin(), kCid.end()), // CID
        {0x70, 0x58},                    // framing layer: flags 0x7, length 88
        {0x00, 0x00, 0x00, 0x02},        // vector: VECTOR_E131_EXTENDED_DISCOVERY
        text("Orvanel@desk", 64),        // source name
        {0, 0, 0, 0},                    // reserved
        {0x70, 0x0E},                    // universe discovery layer: flags 0x7, length 14
        {0x00, 0x00, 0x00, 0x01},        // vector: VECTOR_UNIVERSE_DISCOVERY_UNIVERSE_LIST
        {0, 0},                          // page 0, last page 0
        {0x00, 0x07, 0x01, 0x2C, 0xFA, 0x00}, // universes 7, 300, 64000, ascending
    });
    EXPECT_EQ(sacnDiscoveryPacket({kCid, "Orvanel@desk"}, universes), expected);
}

namespace {
// An ArtPollReply of 239 bytes as Art-Net 4 lays it out, with the fields that tell devices apart.
struct PollReplyFields
{
    Bytes ip;
    uint8_t netSwitch, subSwitch;
    std::string shortName, longName, nodeReport;
    Bytes portTypes, goodInput, swIn, swOut;
    uint8_t style;
    uint8_t bindIndex;
};

Bytes pollReply(const PollReplyFields& f)
{
    // clang-format off
    return join({
        {'A', 'r', 't', '-', 'N', 'e', 't', 0}, // ID
        {0x00, 0x21},                           // OpCode OpPollReply 0x2100, low byte first
        f.ip,                                   // IP address
        {0x36, 0x19},                           // port 6454, low byte first
        {0x00, 0x01},                           // firmware version
        {f.netSwitch, f.subSwitch},             // NetSwitch, SubSwitch
        {0x00, 0xFF},                           // OEM: unregistered
        {0x00},                                 // UBEA version
        {0xD0},                                 // Status1: indicators normal, set on the device
        {0x00, 0x00},                           // ESTA manufacturer
        text(f.shortName, 18), text(f.longName, 64), text(f.nodeReport, 64),
        {0x00, 0x01},                           // NumPorts
        f.portTypes, f.goodInput, Bytes(4, 0),  // PortTypes, GoodInput, GoodOutputA
        f.swIn, f.swOut,                        // SwIn, SwOut
        {0, 0, 0}, {0, 0, 0},                   // AcnPriority, SwMacro, SwRemote; spare
        {f.style},                              // Style
        Bytes(6, 0), f.ip, {f.bindIndex},       // MAC, BindIp, BindIndex
        {0x08},                                 // Status2: 15-bit port-addresses
        Bytes(4, 0), {0}, Bytes(6, 0), {0, 0, 0, 0}, // GoodOutputB, Status3, UID, User, rate
        Bytes(11, 0),                           // filler
    });
    // clang-format on
}
} // namespace

TEST(NetworkPacketTest, ArtPollAndArtPollReplyBothWays)
{
    const Bytes poll = join({{'A', 'r', 't', '-', 'N', 'e', 't', 0},
                             {0x00, 0x20},   // OpCode OpPoll 0x2000, low byte first
                             {0, 14},        // protocol version 14
                             {0x00, 0x00}}); // flags: one reply per poll; diagnostics priority
    const ArtPollPacket ours = artPollPacket();
    EXPECT_EQ(Bytes(ours.begin(), ours.end()), poll);

    // Polls of either length; the longer one's targeted range (top 0x0123, bottom 0x0100).
    const Bytes targeted = join({poll, {0x01, 0x23, 0x01, 0x00}});
    Bytes flagged = targeted;
    flagged[12] = 0x20;                         // targeted mode
    using Asks = std::tuple<Bytes, bool, bool>; // poll, asks 0x0123, asks 0x0124
    for (const auto& [bytes, inside, outside] :
         {Asks{poll, true, true}, Asks{targeted, true, true}, Asks{flagged, true, false},
          Asks{join({flagged, {0x7F, 0xF0, 0x00, 0x00}}), true, false}}) {
        const auto request = parseArtPoll(bytes);
        ASSERT_TRUE(request) << bytes.size();
        EXPECT_EQ(request->Asks(0x0123), inside);
        EXPECT_EQ(request->Asks(0x0124), outside);
    }
    EXPECT_FALSE(parseArtPoll(Bytes(poll.begin(), poll.end() - 1)));

    // This console's answer: a controller with one input, of port-address 0x1234.
    const ArtPollReplyPacket reply =
        artPollReplyPacket({0x0200000A, 0x1234, "Orvanel", "Orvanel DMX512 console on desk",
                            "#0001 [0001] Sending port-address 4660", true});
    // clang-format off
    EXPECT_EQ(Bytes(reply.begin(), reply.end()),
              pollReply({{2, 0, 0, 10}, 0x12, 0x03, "Orvanel", "Orvanel DMX512 console on desk",
                         "#0001 [0001] Sending port-address 4660", {0x40, 0, 0, 0},
                         {0x80, 0, 0, 0}, {0x04, 0, 0, 0}, Bytes(4, 0), 0x01, 1}));

    // A node's: outputs on ports 1 and 3 (port 2 an input), net 1, sub-net 2.
    const Bytes node = pollReply({{2, 0, 0, 20}, 0x01, 0x02, "Dimmer rack", "", "",
                                  {0x80, 0x40, 0x80, 0}, Bytes(4, 0), {0x05, 0, 0, 0},
                                  {0x03, 0, 0x0F, 0}, 0x00, 2});
    // clang-format on
    const auto parsed = parseArtPollReply(node);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->address, 0x02000014u);
    EXPECT_EQ(parsed->shortName, "Dimmer rack");
    EXPECT_EQ(parsed->bindIndex, 2);
    EXPECT_EQ(parsed->outputs, (std::vector<uint16_t>{0x0123, 0x012F}));
    EXPECT_TRUE(parseArtPollReply(Bytes(node.begin(), node.begin() + 207))) << "an older reply";
    EXPECT_FALSE(parseArtPollReply(Bytes(node.begin(), node.begin() + 206)));
}
