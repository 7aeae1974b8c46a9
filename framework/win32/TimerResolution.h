#pragma once

// The calls by which the program asks Windows for a timer period of 1 ms while it runs, and
// gives the request back at exit: timeBeginPeriod and timeEndPeriod, or a test's stand-ins. The
// system's default period of about 15.6 ms would stretch each of the console's short sleeps to
// a whole period.
struct TimerPeriodCalls
{
    unsigned (*begin)(unsigned periodMs);
    unsigned (*end)(unsigned periodMs);
};

// Replaces the calls; {nullptr, nullptr} restores Windows' own. Returns the previous calls.
TimerPeriodCalls setTimerPeriodCalls(TimerPeriodCalls calls);
