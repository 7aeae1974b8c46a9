// The process's global objects, constructed in this order: the application, the serial port on
// the platform's device, then the output on it and the platform's datagram socket. Nothing closes
// the port at exit; the system releases it. A network output ends its stream as it is destroyed.

#include "ConsoleApp.h"
#include "console/ThePort.h"
#include "net/DatagramSocket.h"

CConsoleApp theApp;
CSerialPort thePort;
DmxOutput theOutput(thePort, platformDatagramSocket());
