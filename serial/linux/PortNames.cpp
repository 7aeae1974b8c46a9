#include "serial/PortNames.h"

#include "PortResolver.h"

std::optional<std::string> serialPortDevice(int portNumber)
{
    // The same numbering the serial device opens by, taken afresh: adapters come and go.
    return PortResolver().devicePath(portNumber);
}
