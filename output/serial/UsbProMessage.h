#pragma once

#include "output/FrameOutput.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Every message to and from a DMX USB Pro widget: start byte 0x7E, a label saying what it is,
// the data length least significant byte first, the data, end byte 0xE7.
inline constexpr uint8_t kUsbProStart = 0x7E;
inline constexpr uint8_t kUsbProEnd = 0xE7;
inline constexpr size_t kUsbProMaxDataLength = 600;

// The message that hands one frame to the widget, which makes the break and timing itself:
// label 6 (output only send DMX packet) with the 513 slots.
inline constexpr uint8_t kUsbProSendDmxLabel = 6;
inline constexpr size_t kUsbProMessageLength = 4 + kFrameSlots + 1;

std::array<uint8_t, kUsbProMessageLength> usbProDmxMessage(const DmxFrame& frame);

// The two questions that make a widget say who it is. Its parameters (label 3) come with the size
// of the user configuration wanted back, 0; its serial number (label 10) takes no data. It
// answers each with a message of the same label.
inline constexpr uint8_t kUsbProParametersLabel = 3;
inline constexpr uint8_t kUsbProSerialNumberLabel = 10;
inline constexpr std::array<uint8_t, 7> kUsbProParametersRequest = {
    kUsbProStart, kUsbProParametersLabel, 2, 0, 0, 0, kUsbProEnd};
inline constexpr std::array<uint8_t, 5> kUsbProSerialNumberRequest = {
    kUsbProStart, kUsbProSerialNumberLabel, 0, 0, kUsbProEnd};

// A reply of the widget, whole.
struct UsbProReply
{
    uint8_t label;
    std::vector<uint8_t> data;

    bool operator==(const UsbProReply&) const = default;
};

// Finds the widget's replies in the bytes read from its port, however they are cut into pieces.
// Only whole, well-formed replies to the two questions are taken: bytes before a start byte, and
// a message with another label, a length over 600, a wrong end byte or data that is no such
// reply are skipped, counted and told to the debug log. After a bad message the search goes on
// at the next start byte after its first, so a reply that follows a torn one is still found.
class UsbProReplyParser
{
public:
    // Takes the bytes that have arrived; returns the replies they complete, in order.
    std::vector<UsbProReply> Take(std::span<const uint8_t> bytes);
    // How many runs of stray bytes and bad messages have been skipped.
    int Skipped() const { return m_skipped; }

private:
    // Drops the first count pending bytes and those after them up to the next start byte, saying
    // why.
    void Skip(size_t count, const std::string& why);

    std::vector<uint8_t> m_pending; // from a start byte on, the message not yet whole
    int m_skipped = 0;
};

// What a parameters reply says: the firmware version as "MSB.LSB" ("1.44"), the break and mark
// after break that the widget makes, in its units of 10.67 us, and the frames it sends per second.
struct UsbProParameters
{
    std::string firmware;
    unsigned breakUnits;
    unsigned markAfterBreakUnits;
    unsigned framesPerSecond;
};
UsbProParameters usbProParameters(const UsbProReply& reply);
// The serial number of a serial number reply: its eight decimal digits, most significant first.
std::string usbProSerialNumber(const UsbProReply& reply);
