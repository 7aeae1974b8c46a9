#pragma once

// Every pause of the program goes through here, so tests can run without waiting.
using SleepFunction = void (*)(unsigned milliseconds);

void sleepMilliseconds(unsigned milliseconds);
// Installs f in place of the real sleep; nullptr restores the real one.
void setSleepFunction(SleepFunction f);
