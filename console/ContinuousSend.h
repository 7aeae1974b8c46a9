#pragma once

#include <cstdint>

// True while a continuous send loop should go on: a 32-bit boolean shared by auto send and ramp
// send, so that either loop button, OK and Cancel stop whichever loop is running.
extern int32_t g_bLoopRunning;
