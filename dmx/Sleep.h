#pragma once

#include <chrono>

// Every pause of the program, and every reading of the clock that decides one, goes through
// here, so tests can run without waiting and in time of their own.
using SleepFunction = void (*)(unsigned milliseconds);
using ClockFunction = std::chrono::steady_clock::time_point (*)();

void sleepMilliseconds(unsigned milliseconds);
// Installs f in place of the real sleep; nullptr restores the real one.
void setSleepFunction(SleepFunction f);

// The monotonic clock.
std::chrono::steady_clock::time_point steadyNow();
// Installs f in place of the real clock; nullptr restores the real one.
void setClockFunction(ClockFunction f);
