#pragma once

#include "output/FrameOutput.h"

#include <array>
#include <cstddef>
#include <cstdint>

// The message that hands one frame to a DMX USB Pro widget, which makes the break and timing
// itself: start byte 0x7E, label 6 (output only send DMX packet), the data length least
// significant byte first, the 513 slots, end byte 0xE7.
inline constexpr uint8_t kUsbProStart = 0x7E;
inline constexpr uint8_t kUsbProSendDmxLabel = 6;
inline constexpr uint8_t kUsbProEnd = 0xE7;
inline constexpr size_t kUsbProMessageLength = 4 + kFrameSlots + 1;

std::array<uint8_t, kUsbProMessageLength> usbProDmxMessage(const DmxFrame& frame);
