#pragma once

#include "output/DmxOutput.h"
#include "serial/SerialPort.h"

// The one serial port of the process, and the output that frames go out through, on that port
// or the network. The program defines them next to the application object; a test defines its
// own on fake devices.
extern CSerialPort thePort;
extern DmxOutput theOutput;
