// The process's global objects, constructed in this order: the application, the serial port on
// the platform's device, then the output on it. Nothing closes the port at exit; the system
// releases it.

#include "ConsoleApp.h"
#include "console/ThePort.h"

CConsoleApp theApp;
CSerialPort thePort;
DmxOutput theOutput(thePort);
