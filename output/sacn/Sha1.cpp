#include "Sha1.h"

#include <bit>
#include <vector>

namespace {

using State = std::array<uint32_t, 5>;

// One 64-byte block into the state: 80 rounds over the block's 16 big-endian words, extended.
void compress(State& state, const uint8_t* block)
{
    std::array<uint32_t, 80> w{};
    for (size_t i = 0; i < 16; ++i)
        w[i] = uint32_t{block[4 * i]} << 24 | uint32_t{block[4 * i + 1]} << 16 |
               uint32_t{block[4 * i + 2]} << 8 | block[4 * i + 3];
    for (size_t i = 16; i < 80; ++i)
        w[i] = std::rotl(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);

    auto [a, b, c, d, e] = state;
    for (size_t i = 0; i < 80; ++i) {
        uint32_t f, k;
        if (i < 20) {
            f = (b & c) | (~b & d);
            k = 0x5A827999;
        } else if (i < 40) {
            f = b ^ c ^ d;
            k = 0x6ED9EBA1;
        } else if (i < 60) {
            f = (b & c) | (b & d) | (c & d);
            k = 0x8F1BBCDC;
        } else {
            f = b ^ c ^ d;
            k = 0xCA62C1D6;
        }
        const uint32_t next = std::rotl(a, 5) + f + e + k + w[i];
        e = d;
        d = c;
        c = std::rotl(b, 30);
        b = a;
        a = next;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
}

} // namespace

Sha1Digest sha1(std::span<const uint8_t> message)
{
    // The message, a one bit, zeros up to 8 bytes short of a whole block, and the message's
    // length in bits, big-endian.
    std::vector<uint8_t> padded(message.begin(), message.end());
    padded.push_back(0x80);
    while (padded.size() % 64 != 56)
        padded.push_back(0);
    const uint64_t bits = uint64_t{message.size()} * 8;
    for (int shift = 56; shift >= 0; shift -= 8)
        padded.push_back(static_cast<uint8_t>(bits >> shift));

    State state{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    for (size_t offset = 0; offset < padded.size(); offset += 64)
        compress(state, padded.data() + offset);

    Sha1Digest digest{};
    for (size_t i = 0; i < digest.size(); ++i)
        digest[i] = static_cast<uint8_t>(state[i / 4] >> (24 - 8 * (i % 4)));
    return digest;
}
