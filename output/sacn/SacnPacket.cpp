#include "SacnPacket.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr size_t kSourceNameField = 64;
constexpr uint8_t kDefaultPriority = 100;
constexpr uint8_t kStreamTerminatedOption = 0x40;

// Fields written one after another, multi-byte values big-endian.
class PacketWriter
{
public:
    explicit PacketWriter(std::span<uint8_t> packet) : m_packet(packet) {}

    void u8(uint8_t value) { m_packet[m_at++] = value; }
    void u16(uint16_t value)
    {
        u8(static_cast<uint8_t>(value >> 8));
        u8(static_cast<uint8_t>(value));
    }
    void u32(uint32_t value)
    {
        u16(static_cast<uint16_t>(value >> 16));
        u16(static_cast<uint16_t>(value));
    }
    void bytes(std::span<const uint8_t> values)
    {
        std::ranges::copy(values, m_packet.begin() + static_cast<std::ptrdiff_t>(m_at));
        m_at += values.size();
    }
    void skip(size_t count) { m_at += count; }
    // The flags (0x7) and length of a layer that runs from here to the end of the packet.
    void flagsAndLength() { u16(static_cast<uint16_t>(0x7000 | (m_packet.size() - m_at))); }
    // The source's name, at most 63 bytes of it, in its 64-byte field.
    void sourceName(const std::string& name);

private:
    std::span<uint8_t> m_packet;
    size_t m_at = 0;
};

// The longest start of text that fits in maxBytes without cutting a UTF-8 character: a cut that
// would fall before a continuation byte moves back to where its character starts (at most three
// bytes back, so a text that is not UTF-8 still keeps most of its bytes).
std::string_view fitUtf8(std::string_view text, size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    size_t end = maxBytes;
    for (int back = 0; back < 3 && (static_cast<uint8_t>(text[end]) & 0xC0) == 0x80; ++back)
        --end;
    return text.substr(0, end);
}

void PacketWriter::sourceName(const std::string& name)
{
    const std::string_view fitted = fitUtf8(name, kSourceNameField - 1);
    bytes({reinterpret_cast<const uint8_t*>(fitted.data()), fitted.size()});
    skip(kSourceNameField - fitted.size());
}

// The root layer up to the next layer: identifier, vector and the source's CID.
void writeRootLayer(PacketWriter& out, uint32_t vector, const Uuid& cid)
{
    static constexpr uint8_t kAcnIdentifier[] = {'A', 'S', 'C', '-', 'E', '1',
                                                 '.', '1', '7', 0,   0,   0};
    out.u16(0x0010); // preamble size
    out.u16(0x0000); // postamble size
    out.bytes(kAcnIdentifier);
    out.flagsAndLength();
    out.u32(vector);
    out.bytes(cid);
}

} // namespace

SacnPacket sacnDataPacket(const SacnSource& source, uint16_t universe, uint8_t sequence,
                          SacnStream stream, const DmxFrame& frame)
{
    SacnPacket packet{};
    PacketWriter out(packet);
    writeRootLayer(out, 0x00000004, source.cid); // VECTOR_ROOT_E131_DATA

    // Framing layer.
    out.flagsAndLength();
    out.u32(0x00000002); // VECTOR_E131_DATA_PACKET
    out.sourceName(source.name);
    out.u8(kDefaultPriority);
    out.u16(0); // synchronisation address: none
    out.u8(sequence);
    out.u8(stream == SacnStream::Terminated ? kStreamTerminatedOption : 0);
    out.u16(universe);

    // DMP layer.
    out.flagsAndLength();
    out.u8(0x02);    // VECTOR_DMP_SET_PROPERTY
    out.u8(0xA1);    // address and data type
    out.u16(0x0000); // first property address
    out.u16(0x0001); // address increment
    out.u16(kFrameSlots);
    out.bytes(frame);
    return packet;
}

std::vector<uint8_t> sacnDiscoveryPacket(const SacnSource& source,
                                         std::span<const uint16_t> universes)
{
    constexpr size_t kHeaderLength = 120; // up to the list of universes
    const size_t count = std::min(universes.size(), kSacnUniversesPerDiscoveryPage);
    std::vector<uint8_t> packet(kHeaderLength + 2 * count);
    PacketWriter out(packet);
    writeRootLayer(out, 0x00000008, source.cid); // VECTOR_ROOT_E131_EXTENDED

    // Framing layer.
    out.flagsAndLength();
    out.u32(0x00000002); // VECTOR_E131_EXTENDED_DISCOVERY
    out.sourceName(source.name);
    out.skip(4); // reserved

    // Universe discovery layer: one page, of the universes in ascending order.
    out.flagsAndLength();
    out.u32(0x00000001); // VECTOR_UNIVERSE_DISCOVERY_UNIVERSE_LIST
    out.u8(0);           // page
    out.u8(0);           // last page
    std::vector<uint16_t> sorted(universes.begin(), universes.begin() + count);
    std::ranges::sort(sorted);
    for (const uint16_t universe : sorted)
        out.u16(universe);
    return packet;
}
