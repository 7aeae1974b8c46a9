#include "Sleep.h"

#include <chrono>
#include <thread>

namespace {
void realSleep(unsigned milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

SleepFunction g_sleep = realSleep;
} // namespace

void sleepMilliseconds(unsigned milliseconds)
{
    g_sleep(milliseconds);
}

void setSleepFunction(SleepFunction f)
{
    g_sleep = f ? f : realSleep;
}
