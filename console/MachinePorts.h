#pragma once

#include <map>
#include <string>

// The serial ports this machine has now, by port number (1 = COM1), with their devices.
std::map<int, std::string> machinePorts();

using MachinePortsFunction = std::map<int, std::string> (*)();

// Replaces where they come from (for tests); nullptr restores the machine's own. Returns the
// previous function, nullptr for the machine's own.
MachinePortsFunction setMachinePortsFunction(MachinePortsFunction function);
