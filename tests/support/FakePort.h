#pragma once

#include "support/FakeDatagramSocket.h"
#include "support/FakeSerialDevice.h"

// The devices behind the process's one port and output (thePort and theOutput of
// console/ThePort.h) in the programs that run the console on fakes.
extern FakeSerialDevice g_fakeDevice;
extern FakeDatagramSocket g_fakeSocket;
