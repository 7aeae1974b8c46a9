#pragma once

#include "serial/SerialPort.h"

// The one serial port of the process. The program defines it next to the application object;
// a test defines its own on a fake device.
extern CSerialPort thePort;
