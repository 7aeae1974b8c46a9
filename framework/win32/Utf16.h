#pragma once

#include <string>
#include <string_view>

// The framework's texts are UTF-8; the Windows API takes UTF-16. Malformed input becomes U+FFFD.
std::wstring toUtf16(std::string_view utf8);
std::string toUtf8(std::wstring_view utf16);
