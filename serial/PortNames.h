#pragma once

#include <optional>
#include <string>

// The device that serial port number portNumber (1 = COM1) stands for on this machine, named as
// the platform's serial device opens it: "/dev/ttyUSB0" on Linux, "\\.\COM3" on Windows. None when
// the machine has no such port.
std::optional<std::string> serialPortDevice(int portNumber);
