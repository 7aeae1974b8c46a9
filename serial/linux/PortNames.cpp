#include "serial/PortNames.h"

#include "PortResolver.h"

#include <utility>

std::optional<std::string> serialPortDevice(int portNumber)
{
    // The same numbering the serial device opens by, taken afresh: adapters come and go.
    return PortResolver().devicePath(portNumber);
}

std::map<int, std::string> serialPorts()
{
    std::map<int, std::string> ports;
    int portNumber = 0;
    for (std::string& path : PortResolver().ports())
        ports.emplace(++portNumber, std::move(path));
    return ports;
}
