#include "ArtNetPacket.h"

#include <algorithm>

namespace {

constexpr uint8_t kId[] = {'A', 'r', 't', '-', 'N', 'e', 't', 0};
constexpr uint8_t kProtocolVersion[] = {0, 14}; // high byte first

// The ID and the OpCode, low byte first, at the start of packet; returns where the rest begins.
uint8_t* writeHeader(std::span<uint8_t> packet, uint16_t opCode)
{
    uint8_t* at = std::ranges::copy(kId, packet.data()).out;
    *at++ = static_cast<uint8_t>(opCode);
    *at++ = static_cast<uint8_t>(opCode >> 8);
    return at;
}

// text in a field of size bytes, cut so that at least one NUL ends it.
void writeText(uint8_t* field, size_t size, const std::string& text)
{
    std::copy_n(text.begin(), std::min(text.size(), size - 1), field);
}

void writeAddress(uint8_t* field, uint32_t address)
{
    for (int i = 0; i < 4; ++i)
        field[i] = static_cast<uint8_t>(address >> (24 - 8 * i));
}

uint32_t readAddress(std::span<const uint8_t> field)
{
    return static_cast<uint32_t>(field[0] << 24 | field[1] << 16 | field[2] << 8 | field[3]);
}

// ArtPollReply: where its fields start.
constexpr size_t kIpField = 10, kNetSwitch = 18, kSubSwitch = 19, kShortName = 26, kLongName = 44,
                 kNodeReport = 108, kPortTypes = 174, kSwOut = 190, kBindIndex = 211;
constexpr size_t kShortNameSize = 18, kLongNameSize = 64, kNodeReportSize = 64;
// Older devices send replies that end after the MAC address.
constexpr size_t kShortestPollReply = 207;
constexpr uint8_t kPortOutputs = 0x80; // a port type: data from the network goes out on it
constexpr uint8_t kPortInputs = 0x40;  // a port type: data from it goes onto the network

} // namespace

ArtDmxPacket artDmxPacket(uint16_t portAddress, uint8_t sequence, const DmxFrame& frame)
{
    constexpr uint16_t kChannels = kFrameSlots - 1;

    ArtDmxPacket packet{};
    uint8_t* at = std::ranges::copy(kProtocolVersion, writeHeader(packet, kOpDmx)).out;
    *at++ = sequence;
    *at++ = 0;                                             // physical port
    *at++ = static_cast<uint8_t>(portAddress);             // SubUni: Sub-Net and Universe
    *at++ = static_cast<uint8_t>(portAddress >> 8 & 0x7F); // Net
    *at++ = static_cast<uint8_t>(kChannels >> 8);          // length, high byte first
    *at++ = static_cast<uint8_t>(kChannels);
    std::copy(frame.begin() + 1, frame.end(), at);
    return packet;
}

std::optional<uint16_t> artNetOpCode(std::span<const uint8_t> packet)
{
    if (packet.size() < sizeof kId + 2 || !std::ranges::equal(packet.first(sizeof kId), kId))
        return std::nullopt;
    return static_cast<uint16_t>(packet[sizeof kId] | packet[sizeof kId + 1] << 8);
}

ArtPollPacket artPollPacket()
{
    ArtPollPacket packet{};
    std::ranges::copy(kProtocolVersion, writeHeader(packet, kOpPoll));
    // Flags and diagnostics priority stay 0: one answer per poll, no diagnostics.
    return packet;
}

std::optional<ArtPollRequest> parseArtPoll(std::span<const uint8_t> packet)
{
    constexpr size_t kFlags = 12, kTargetTop = 14, kTargetBottom = 16;
    constexpr uint8_t kTargetedMode = 0x20;
    if (artNetOpCode(packet) != kOpPoll || packet.size() < kArtPollLength)
        return std::nullopt;
    ArtPollRequest request;
    if (packet.size() >= kTargetBottom + 2 && (packet[kFlags] & kTargetedMode)) {
        request.targeted = true;
        request.targetTop = static_cast<uint16_t>(packet[kTargetTop] << 8 | packet[kTargetTop + 1]);
        request.targetBottom =
            static_cast<uint16_t>(packet[kTargetBottom] << 8 | packet[kTargetBottom + 1]);
    }
    return request;
}

ArtPollReplyPacket artPollReplyPacket(const ArtNetController& controller)
{
    ArtPollReplyPacket packet{};
    writeHeader(packet, kOpPollReply);
    uint8_t* const p = packet.data();
    writeAddress(p + kIpField, controller.address);
    p[14] = static_cast<uint8_t>(kArtNetPort); // port, low byte first
    p[15] = static_cast<uint8_t>(kArtNetPort >> 8);
    p[17] = 1; // firmware version 1
    p[kNetSwitch] = static_cast<uint8_t>(controller.portAddress >> 8 & 0x7F);
    p[kSubSwitch] = static_cast<uint8_t>(controller.portAddress >> 4 & 0x0F);
    p[21] = 0xFF; // OEM code 0x00FF: no registered product
    p[23] = 0xD0; // Status1: indicators normal, port-address set on the device itself
    writeText(p + kShortName, kShortNameSize, controller.shortName);
    writeText(p + kLongName, kLongNameSize, controller.longName);
    writeText(p + kNodeReport, kNodeReportSize, controller.nodeReport);
    p[173] = 1;                                                   // one port
    p[kPortTypes] = kPortInputs;                                  // DMX512 onto the network
    p[178] = controller.sending ? 0x80 : 0x00;                    // GoodInput: data is coming in
    p[186] = static_cast<uint8_t>(controller.portAddress & 0x0F); // SwIn
    p[200] = 0x01;                                                // style: a controller
    writeAddress(p + 207, controller.address);                    // BindIp: this device
    p[kBindIndex] = 1;                                            // the root device
    p[212] = 0x08; // Status2: takes 15-bit port-addresses
    return packet;
}

std::optional<ArtNetNodeReply> parseArtPollReply(std::span<const uint8_t> packet)
{
    if (artNetOpCode(packet) != kOpPollReply || packet.size() < kShortestPollReply)
        return std::nullopt;
    ArtNetNodeReply reply;
    reply.address = readAddress(packet.subspan(kIpField, 4));
    reply.bindIndex = packet.size() > kBindIndex ? packet[kBindIndex] : 0;
    const auto name = packet.subspan(kShortName, kShortNameSize);
    reply.shortName.assign(name.begin(), std::ranges::find(name, 0));
    const int netAndSubNet = (packet[kNetSwitch] & 0x7F) << 8 | (packet[kSubSwitch] & 0x0F) << 4;
    for (size_t port = 0; port < 4; ++port) {
        if (packet[kPortTypes + port] & kPortOutputs)
            reply.outputs.push_back(
                static_cast<uint16_t>(netAndSubNet | (packet[kSwOut + port] & 0x0F)));
    }
    return reply;
}
