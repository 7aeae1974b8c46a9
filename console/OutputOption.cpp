#include "OutputOption.h"

#include "framework/FormatString.h"
#include "net/Ipv4Address.h"
#include "res/resource.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

namespace {
// The dialog offers COM1 to COM8; an interface that the system numbers higher, as Windows
// often does, can still be named here.
constexpr unsigned kLastPort = 256;

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
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The kinds' words as the help names them: "serial, pro, sacn or artnet".
std::string kindWords()
{
    std::string words;
    for (size_t i = 0; i < kOutputKindCount; ++i) {
        if (i > 0)
            words += i + 1 < kOutputKindCount ? ", " : " or ";
        words += kOutputKinds[i].optionWord;
    }
    return words;
}

// A whole decimal number from min to max, digits only.
bool parseNumber(const std::string& text, unsigned min, unsigned max, unsigned& number)
{
    const char* end = text.data() + text.size();
    unsigned value = 0;
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0])) ||
        error != std::errc() || stop != end || value < min || value > max)
        return false;
    number = value;
    return true;
}

// The serial kinds: [:COMn[:RATE]].
std::string takeSerial(const std::vector<std::string>& parts, OutputSettings& settings)
{
    if (parts.size() > 1) {
        const std::string port = lowerCase(parts[1]);
        unsigned number = 0;
        if (!port.starts_with("com") || !parseNumber(port.substr(3), 1, kLastPort, number))
            return AfxFormatString(IDS_OPTION_BAD_PORT, {parts[1]});
        settings.port = static_cast<int>(number);
    }
    if (parts.size() > 2 && !parseNumber(parts[2], 1, UINT32_MAX, settings.baudRate))
        return AfxFormatString(IDS_OPTION_BAD_RATE, {parts[2]});
    return {};
}

// The network kinds: [:UNIVERSE] and the address after the "@".
std::string takeNetwork(const std::vector<std::string>& parts, const std::string* address,
                        OutputSettings& settings)
{
    const OutputKindRow& kind = outputKindRow(settings.kind);
    const auto first = static_cast<unsigned>(kind.firstUniverse);
    const auto last = static_cast<unsigned>(kind.lastUniverse);
    settings.universe = kind.defaultUniverse;
    unsigned universe = 0;
    if (parts.size() > 1) {
        if (!parseNumber(parts[1], first, last, universe))
            return AfxFormatString(IDS_OPTION_BAD_UNIVERSE,
                                   {parts[1], std::to_string(first), std::to_string(last)});
        settings.universe = static_cast<int>(universe);
    }
    if (address) {
        if (address->empty() || !destinationAddress(*address, 0))
            return AfxFormatString(IDS_OPTION_BAD_ADDRESS, {*address});
        settings.address = *address;
    }
    return {};
}
} // namespace

std::string takeOutputOption(const std::string& text, OutputSettings& settings)
{
    // The interface comes last, after a "%", and may hold any character but that.
    const size_t percent = text.find('%');
    const std::string head = text.substr(0, percent);
    const size_t at = head.find('@');
    const std::string where = head.substr(0, at);
    const std::string address = at == std::string::npos ? std::string() : head.substr(at + 1);
    const std::vector<std::string> parts = splitAtColons(where);

    const std::string name = lowerCase(parts[0]);
    const auto kind = std::ranges::find(kOutputKinds, name, &OutputKindRow::optionWord);
    if (kind == kOutputKinds.end())
        return AfxFormatString(IDS_OPTION_UNKNOWN_KIND, {parts[0], kindWords()});

    OutputSettings taken;
    taken.kind = kind->kind;
    const bool network = kind->transport == OutputTransport::Network;
    if (parts.size() > (network ? 2u : 3u) ||
        (!network && (at != std::string::npos || percent != std::string::npos)))
        return AfxFormatString(IDS_OPTION_TOO_MANY_PARTS, {text});
    if (percent != std::string::npos) {
        taken.networkInterface = text.substr(percent + 1);
        if (taken.networkInterface.empty())
            return AfxFormatString(IDS_OPTION_NO_INTERFACE, {text});
    }
    const std::string refused =
        network ? takeNetwork(parts, at == std::string::npos ? nullptr : &address, taken)
                : takeSerial(parts, taken);
    if (refused.empty())
        settings = taken;
    return refused;
}
