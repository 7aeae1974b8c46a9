#pragma once

#include <map>
#include <optional>
#include <string>

// The device that serial port number portNumber (1 = COM1) stands for on this machine, named as
// the platform's serial device opens it: "/dev/ttyUSB0" on Linux, "\\.\COM3" on Windows. None when
// the machine has no such port.
std::optional<std::string> serialPortDevice(int portNumber);

// Every serial port this machine has now, by port number, with its device as above.
std::map<int, std::string> serialPorts();
