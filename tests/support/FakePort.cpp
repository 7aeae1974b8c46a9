#include "FakePort.h"

#include "console/ThePort.h"

// Constructed in this order: the device, then the port on it.
FakeSerialDevice g_fakeDevice;
CSerialPort thePort(g_fakeDevice);
