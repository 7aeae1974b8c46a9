#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// A UUID as its 16 bytes, in the order they are written and sent.
using Uuid = std::array<uint8_t, 16>;

// The name-based UUID (version 5, SHA-1) of name within nameSpace: the same for the same name,
// and nothing of the name can be read back from it.
Uuid nameBasedUuid(const Uuid& nameSpace, std::string_view name);
