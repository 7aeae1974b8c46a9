#include "PortResolver.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <utility>

namespace fs = std::filesystem;

namespace {

// The number after prefix when the rest of name is all digits.
std::optional<unsigned> suffixNumber(const std::string& name, const std::string& prefix)
{
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    const char* first = name.data() + prefix.size();
    const char* last = name.data() + name.size();
    unsigned number = 0;
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return number;
}

} // namespace

PortResolver::PortResolver(fs::path devRoot, fs::path sysRoot)
    : m_devRoot(std::move(devRoot)), m_sysRoot(std::move(sysRoot))
{}

std::vector<std::string> PortResolver::ports() const
{
    std::vector<std::string> all;
    for (const auto& [prefix, needsHardware] :
         {std::pair{"ttyUSB", false}, std::pair{"ttyACM", false}, std::pair{"ttyS", true}}) {
        auto group = numbered(prefix, needsHardware);
        all.insert(all.end(), group.begin(), group.end());
    }
    return all;
}

std::optional<std::string> PortResolver::devicePath(int portNumber) const
{
    const auto all = ports();
    if (portNumber < 1 || static_cast<size_t>(portNumber) > all.size())
        return std::nullopt;
    return all[static_cast<size_t>(portNumber) - 1];
}

std::vector<std::string> PortResolver::numbered(const std::string& prefix, bool needsHardware) const
{
    std::vector<std::pair<unsigned, std::string>> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(m_devRoot, error)) {
        const std::string name = entry.path().filename().string();
        const auto number = suffixNumber(name, prefix);
        if (!number || (needsHardware && !hasHardware(name)))
            continue;
        found.emplace_back(*number, entry.path().string());
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (auto& [number, path] : found)
        paths.push_back(std::move(path));
    return paths;
}

// The kernel creates ttyS0…ttyS31 whether or not a UART answers; an absent one has no device
// link or reports port type 0 (unknown).
bool PortResolver::hasHardware(const std::string& name) const
{
    const fs::path tty = m_sysRoot / "class" / "tty" / name;
    std::error_code error;
    if (!fs::exists(tty / "device", error))
        return false;
    std::ifstream typeFile(tty / "type");
    int type = 0;
    if (!(typeFile >> type))
        return true; // no type to tell: a device is behind it
    return type != 0;
}
