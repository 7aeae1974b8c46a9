#pragma once

#include "support/FakeSerialDevice.h"

// The device behind the process's one port (thePort of console/ThePort.h) in the programs that
// run the console on a fake device.
extern FakeSerialDevice g_fakeDevice;
