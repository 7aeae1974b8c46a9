#include "UsbProMessage.h"

#include "base/Log.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr size_t kHeaderLength = 4; // start byte, label, length (2)

// Whether data is what a reply of label says: at least the five bytes of parameters (with no user
// configuration asked for, there is nothing after them), or a serial number of four bytes of
// two decimal digits each.
bool isReplyData(uint8_t label, const std::vector<uint8_t>& data)
{
    if (label == kUsbProParametersLabel)
        return data.size() >= 5;
    return data.size() == 4 && std::ranges::all_of(data, [](uint8_t digits) {
               return (digits >> 4) <= 9 && (digits & 0x0F) <= 9;
           });
}

} // namespace

std::array<uint8_t, kUsbProMessageLength> usbProDmxMessage(const DmxFrame& frame)
{
    std::array<uint8_t, kUsbProMessageLength> message{};
    message[0] = kUsbProStart;
    message[1] = kUsbProSendDmxLabel;
    message[2] = static_cast<uint8_t>(kFrameSlots & 0xFF);
    message[3] = static_cast<uint8_t>(kFrameSlots >> 8);
    std::ranges::copy(frame, message.begin() + 4);
    message.back() = kUsbProEnd;
    return message;
}

std::vector<UsbProReply> UsbProReplyParser::Take(std::span<const uint8_t> bytes)
{
    m_pending.insert(m_pending.end(), bytes.begin(), bytes.end());
    std::vector<UsbProReply> replies;
    while (!m_pending.empty()) {
        if (m_pending[0] != kUsbProStart) {
            const auto start = std::ranges::find(m_pending, kUsbProStart);
            Skip(static_cast<size_t>(start - m_pending.begin()), "before a start byte");
            continue;
        }
        if (m_pending.size() < 2)
            break;
        const uint8_t label = m_pending[1];
        if (label != kUsbProParametersLabel && label != kUsbProSerialNumberLabel) {
            Skip(1, "of a message of label " + std::to_string(label));
            continue;
        }
        if (m_pending.size() < kHeaderLength)
            break;
        const size_t length = m_pending[2] | size_t{m_pending[3]} << 8;
        if (length > kUsbProMaxDataLength) {
            Skip(1, "of a message of length " + std::to_string(length) + ", over 600");
            continue;
        }
        if (m_pending.size() < kHeaderLength + length + 1)
            break;
        if (m_pending[kHeaderLength + length] != kUsbProEnd) {
            Skip(1, "of a message without its end byte");
            continue;
        }
        const auto data = m_pending.begin() + kHeaderLength;
        const auto end = data + static_cast<std::ptrdiff_t>(length);
        UsbProReply reply{label, {data, end}};
        if (!isReplyData(label, reply.data)) {
            Skip(1, "of a reply of label " + std::to_string(label) + " that is no such reply");
            continue;
        }
        m_pending.erase(m_pending.begin(), end + 1);
        replies.push_back(std::move(reply));
    }
    return replies;
}

void UsbProReplyParser::Skip(size_t count, const std::string& why)
{
    // Whatever follows up to the next start byte goes too: after a bad message's first byte, the
    // rest of it.
    const auto end = std::find(m_pending.begin() + static_cast<std::ptrdiff_t>(count),
                               m_pending.end(), kUsbProStart);
    const auto skipped = end - m_pending.begin();
    m_pending.erase(m_pending.begin(), end);
    ++m_skipped;
    writeLog(LogCategory::Serial, LogLevel::Debug,
             "DMX USB Pro: skipped " + std::to_string(skipped) + " bytes " + why + " (" +
                 std::to_string(m_skipped) + " skips so far)");
}

UsbProParameters usbProParameters(const UsbProReply& reply)
{
    const std::vector<uint8_t>& data = reply.data;
    char firmware[8]; // "MSB.LSB", the LSB in two digits: "1.05"
    std::snprintf(firmware, sizeof firmware, "%u.%02u", data[1], data[0]);
    return {firmware, data[2], data[3], data[4]};
}

std::string usbProSerialNumber(const UsbProReply& reply)
{
    std::string digits;
    for (auto byte = reply.data.rbegin(); byte != reply.data.rend(); ++byte) {
        digits += static_cast<char>('0' + (*byte >> 4));
        digits += static_cast<char>('0' + (*byte & 0x0F));
    }
    return digits;
}
