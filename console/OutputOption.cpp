#include "OutputOption.h"

#include "framework/FormatString.h"
#include "res/resource.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

namespace {
constexpr int kPortCount = 8; // COM1 to COM8, as the port settings dialog offers them

std::vector<std::string> splitAtColons(const std::string& text)
{
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == ':')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

std::string lowerCase(std::string text)
{
    std::ranges::transform(text, text.begin(), [](unsigned char c) {
        return static_cast<char>(std::tolower(c));
    });
    return text;
}

// A whole decimal number from 1 to max, digits only.
bool parseNumber(const std::string& text, unsigned max, unsigned& number)
{
    const char* end = text.data() + text.size();
    unsigned value = 0;
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0])) ||
        error != std::errc() || stop != end || value < 1 || value > max)
        return false;
    number = value;
    return true;
}
} // namespace

std::string takeOutputOption(const std::string& text, OutputSettings& settings)
{
    const std::vector<std::string> parts = splitAtColons(text);
    OutputSettings taken;
    const std::string kind = lowerCase(parts[0]);
    if (kind == "serial")
        taken.kind = OutputKind::SerialLine;
    else if (kind == "pro")
        taken.kind = OutputKind::UsbPro;
    else
        return AfxFormatString(IDS_OPTION_UNKNOWN_KIND, {parts[0]});

    if (parts.size() > 3)
        return AfxFormatString(IDS_OPTION_TOO_MANY_PARTS, {text});
    if (parts.size() > 1) {
        const std::string port = lowerCase(parts[1]);
        unsigned number = 0;
        if (!port.starts_with("com") || !parseNumber(port.substr(3), kPortCount, number))
            return AfxFormatString(IDS_OPTION_BAD_PORT, {parts[1]});
        taken.port = static_cast<int>(number);
    }
    if (parts.size() > 2 && !parseNumber(parts[2], UINT32_MAX, taken.baudRate))
        return AfxFormatString(IDS_OPTION_BAD_RATE, {parts[2]});
    settings = taken;
    return {};
}
