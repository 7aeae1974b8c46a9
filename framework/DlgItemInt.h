#pragma once

#include <optional>
#include <string_view>

// A field's text (UTF-8) as a signed decimal integer: optional blanks, an optional sign, decimal
// digits, optional blanks, and nothing else. Any other text, and numbers outside the range of
// int, are no number.
std::optional<int> parseDlgItemInt(std::string_view text);
