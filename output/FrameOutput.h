#pragma once

#include "base/OpenFailure.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One DMX frame as the console builds it: slot 0 the start code, slot n channel n (1 to 512).
inline constexpr int kFrameSlots = 513;
using DmxFrame = std::array<uint8_t, kFrameSlots>;
// DMX512's own rate.
inline constexpr unsigned kFrameBaudRate = 250000;

struct OutputSettings;

// A receiver that has told a network output of itself (an Art-Net node answering polls).
struct HeardReceiver
{
    std::string name;
    uint32_t address = 0;
    std::vector<uint16_t> universes; // those it takes from the network

    bool operator==(const HeardReceiver&) const = default;
};

// Whom a network output's frames go to.
enum class Recipients
{
    None,      // a serial kind, or not open
    Typed,     // the address the operator typed
    Multicast, // the universe's group
    Broadcast, // every host of the interface's network
    Heard,     // the receivers that asked for the universe
};

// What an output knows beyond whether it is open, for the operator: how its sends go and what the
// other side has said. Each kind fills in what applies to it.
struct OutputStatus
{
    // Frames fail to go out (an adapter pulled out, a send the system refuses), since the last
    // one that went out or the open.
    bool writesFailing = false;
    // The interface was asked who it is as it opened and has said nothing in its time.
    bool noAnswer = false;
    // What the interface said of itself, as the operator reads it ("12345678", "1.44"); empty
    // while it has not said.
    std::string serialNumber;
    std::string firmwareVersion;
    // The network kinds, while open: the interface the datagrams leave on, whom the frames go to
    // (with Recipients::Heard, to how many), and the receivers that have told of themselves.
    std::string networkInterface;
    Recipients recipients = Recipients::None;
    int recipientCount = 0;
    std::vector<HeardReceiver> heard;

    bool operator==(const OutputStatus&) const = default;
};

// Where frames go: one implementation per kind of interface. A frame goes out as BeginFrame, then
// WriteFrame with its slots. Neither returns failure: a frame that cannot go out is lost, the next
// one tries again, and Status says so meanwhile.
class FrameOutput
{
public:
    virtual ~FrameOutput() = default;

    // Opens the interface that settings (of this output's kind) describe.
    virtual bool Open(const OutputSettings& settings) = 0;
    virtual bool IsOpen() const = 0;
    virtual void Close() = 0;
    // Why the last Open that failed did so.
    virtual const OpenFailure& LastOpenFailure() const = 0;
    // Whatever must reach the line before the frame's slots are known (the break of a plain
    // serial line); nothing for most kinds.
    virtual void BeginFrame() {}
    virtual void WriteFrame(const DmxFrame& frame) = 0;
    // Takes in, without waiting, what the other side has said since the last call; the console
    // calls it on its timer. Nothing for kinds that do not listen.
    virtual void Poll() {}
    virtual OutputStatus Status() const { return {}; }
};
