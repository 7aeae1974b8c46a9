#include "UsbProMessage.h"

#include <algorithm>

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
