#include "serial/PortNames.h"

#include "base/win32/WindowsApi.h"

#include <utility>

std::optional<std::string> serialPortDevice(int portNumber)
{
    if (portNumber < 1)
        return std::nullopt;
    const std::string name = "COM" + std::to_string(portNumber);
    // A port exists when the system knows its name; the target it maps to is of no use here.
    char target[1024];
    if (QueryDosDeviceA(name.c_str(), target, sizeof target) == 0 &&
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return std::nullopt;
    // The form the serial device opens, which also reaches COM10 and above.
    return "\\\\.\\" + name;
}

std::map<int, std::string> serialPorts()
{
    // Windows numbers its ports up to COM256, with gaps.
    constexpr int kHighestPort = 256;
    std::map<int, std::string> ports;
    for (int portNumber = 1; portNumber <= kHighestPort; ++portNumber) {
        if (std::optional<std::string> device = serialPortDevice(portNumber))
            ports.emplace(portNumber, std::move(*device));
    }
    return ports;
}
