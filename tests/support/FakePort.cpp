#include "FakePort.h"

#include "console/ThePort.h"

// Constructed in this order: the device, the port on it, the output.
FakeSerialDevice g_fakeDevice;
CSerialPort thePort(g_fakeDevice);
DmxOutput theOutput(thePort);
