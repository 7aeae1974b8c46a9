#pragma once

#include <array>
#include <cstdint>
#include <span>

// The SHA-1 digest of a message, as name-based UUIDs need it. Not for anything that must resist
// an attacker.
using Sha1Digest = std::array<uint8_t, 20>;

Sha1Digest sha1(std::span<const uint8_t> message);
