#include "Ipv4Address.h"

namespace {

std::string_view trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// One number of a dotted address, taken off the front of text.
std::optional<uint32_t> takeByte(std::string_view& text)
{
    uint32_t value = 0;
    size_t digits = 0;
    while (digits < text.size() && digits < 4 && text[digits] >= '0' && text[digits] <= '9')
        value = value * 10 + static_cast<uint32_t>(text[digits++] - '0');
    if (digits == 0 || digits > 3 || value > 255)
        return std::nullopt;
    text.remove_prefix(digits);
    return value;
}

} // namespace

std::optional<uint32_t> destinationAddress(std::string_view typed, uint32_t defaultAddress)
{
    std::string_view text = trimBlanks(typed);
    if (text.empty())
        return defaultAddress;
    uint32_t address = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (!text.starts_with('.'))
                return std::nullopt;
            text.remove_prefix(1);
        }
        const auto byte = takeByte(text);
        if (!byte)
            return std::nullopt;
        address = address << 8 | *byte;
    }
    if (!text.empty())
        return std::nullopt;
    return address;
}

bool canBeDestination(uint32_t address)
{
    return address >> 24 != 0 && (address >> 28 != 0xF || address == 0xFFFFFFFF);
}

std::string endpointText(const Ipv4Endpoint& endpoint)
{
    return addressText(endpoint.address) + ':' + std::to_string(endpoint.port);
}

std::string addressText(uint32_t address)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        text += std::to_string(address >> shift & 0xFF);
        if (shift > 0)
            text += '.';
    }
    return text;
}
