#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Numbers the serial ports present on this machine as COM1, COM2, …: USB serial adapters
// (/dev/ttyUSB*), then USB modems (/dev/ttyACM*, many DMX interfaces), then on-board UARTs
// (/dev/ttyS*) that have hardware behind them, each group in numeric order. A laptop with one
// USB DMX interface reaches it as COM1.
class PortResolver
{
public:
    explicit PortResolver(std::filesystem::path devRoot = "/dev",
                          std::filesystem::path sysRoot = "/sys");

    // The device paths of the present ports, COM1 first.
    std::vector<std::string> ports() const;
    // The device of COM portNumber, if there is one.
    std::optional<std::string> devicePath(int portNumber) const;

private:
    std::vector<std::string> numbered(const std::string& prefix, bool needsHardware) const;
    bool hasHardware(const std::string& name) const;

    std::filesystem::path m_devRoot;
    std::filesystem::path m_sysRoot;
};
