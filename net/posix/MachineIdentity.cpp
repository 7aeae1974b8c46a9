#include "net/MachineIdentity.h"

#include <climits>
#include <fstream>
#include <unistd.h>

namespace {

// The first line of path without blanks around it; empty when there is none.
std::string firstLine(const char* path)
{
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

std::string machineId()
{
    // Systems without systemd may keep it only where D-Bus put it.
    std::string id = firstLine("/etc/machine-id");
    return id.empty() ? firstLine("/var/lib/dbus/machine-id") : id;
}

std::string hostName()
{
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}
