#pragma once

#include <chrono>

// New data goes out three times in all before a stream falls back to its keep-alive, so that a
// receiver that lost one packet of it does not show the old levels until the next refresh. The
// copies come from the console's timer, each at least one of its periods after the one before:
// all three are out within about 200 ms.
class NewDataRepeats
{
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    // The period of the console's timer, which polls the outputs.
    static constexpr std::chrono::milliseconds kGap{50};

    // A frame went out at now: fresh when its data differs from the frame before it. A frame of
    // the same data counts as one of the copies.
    void Sent(bool fresh, TimePoint now);
    // Whether a copy of the last frame is due at now; counts it as sent when it is.
    bool Due(TimePoint now);
    void Reset() { m_owed = 0; }

private:
    int m_owed = 0; // copies still to go
    TimePoint m_lastSent;
};
