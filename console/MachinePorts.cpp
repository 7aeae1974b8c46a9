#include "MachinePorts.h"

#include "serial/PortNames.h"

#include <utility>

namespace {
MachinePortsFunction g_machinePorts = nullptr;
} // namespace

std::map<int, std::string> machinePorts()
{
    // Taken afresh each time: adapters come and go.
    return g_machinePorts ? g_machinePorts() : serialPorts();
}

MachinePortsFunction setMachinePortsFunction(MachinePortsFunction function)
{
    return std::exchange(g_machinePorts, function);
}
