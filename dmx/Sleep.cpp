#include "Sleep.h"

#include <thread>

namespace {
void realSleep(unsigned milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

SleepFunction g_sleep = realSleep;
ClockFunction g_clock = std::chrono::steady_clock::now;
} // namespace

void sleepMilliseconds(unsigned milliseconds)
{
    g_sleep(milliseconds);
}

void setSleepFunction(SleepFunction f)
{
    g_sleep = f ? f : realSleep;
}

std::chrono::steady_clock::time_point steadyNow()
{
    return g_clock();
}

void setClockFunction(ClockFunction f)
{
    g_clock = f ? f : std::chrono::steady_clock::now;
}
