#include "FakePort.h"

#include "console/ThePort.h"

// Constructed in this order: the devices, the port, the output.
FakeSerialDevice g_fakeDevice;
FakeDatagramSocket g_fakeSocket;
CSerialPort thePort(g_fakeDevice);
DmxOutput theOutput(thePort, g_fakeSocket);
