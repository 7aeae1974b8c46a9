#pragma once

#include "Sleep.h"
#include "output/FrameOutput.h"

#include <chrono>
#include <functional>
#include <optional>

// Where a frame's levels come from: (channel, value) pairs, each value's low 8 bits going to its
// channel, a later pair overriding an earlier one of the same channel. Channels outside the
// frame's slots are left out.
class ChannelLevels
{
public:
    using SetLevel = std::function<void(int channel, int value)>;

    virtual ~ChannelLevels() = default;
    // Reads the levels as they stand now, handing each pair to set in order.
    virtual void ReadLevels(const SetLevel& set) const = 0;
};

inline constexpr unsigned kFramePauseMs = 50;
// DMX receivers take more than 1 s between frames for a lost signal; an output left alone gets
// its last frame again after this long.
inline constexpr std::chrono::milliseconds kRefreshAfter{800};

// True while a frame is being sent; a nested request is dropped.
extern bool g_bFrameBusy;

// Sends frames through one output, and sends the last one again while nothing else goes out, so
// that receivers keep their levels when the operator's hands rest.
class FrameSender
{
public:
    explicit FrameSender(FrameOutput& output) : m_output(output) {}

    // One frame of levels: the output's start of a frame, the levels read into a cleared frame,
    // the slots, then the pause.
    void SendFrame(const ChannelLevels& levels);
    // Sends the last frame again, byte for byte, when the output is open and no frame has begun
    // for kRefreshAfter. Does nothing before the first frame and while a frame is being sent.
    void RefreshIdleOutput();
    // Counts the idle time from now, as if a frame had begun: a continuous mode that starts
    // sends its first frame within its first cycle, and no refresh is to come before it.
    void PostponeRefresh() { m_lastFrameBegan = steadyNow(); }

private:
    // Sends the frame that fill writes into a cleared buffer.
    template <typename Fill> void Send(Fill fill);

    FrameOutput& m_output;
    std::optional<DmxFrame> m_lastFrame;
    std::chrono::steady_clock::time_point m_lastFrameBegan;
};
