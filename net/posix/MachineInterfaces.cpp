#include "net/NetworkInterface.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cstring>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

namespace {
uint32_t addressOf(const sockaddr* address)
{
    sockaddr_in ipv4{};
    std::memcpy(&ipv4, address, sizeof ipv4);
    return ntohl(ipv4.sin_addr.s_addr);
}
} // namespace

std::vector<NetworkInterface> machineInterfaces()
{
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return {};
    std::vector<NetworkInterface> found;
    for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET || !entry->ifa_name)
            continue;
        // An address added with a label ("eth0:1") belongs to the interface before the colon.
        std::string name = entry->ifa_name;
        name.resize(std::min(name.size(), name.find(':')));
        const unsigned flags = entry->ifa_flags;
        found.push_back({.name = name,
                         .address = addressOf(entry->ifa_addr),
                         .netmask = entry->ifa_netmask ? addressOf(entry->ifa_netmask) : ~0u,
                         .index = ::if_nametoindex(name.c_str()),
                         .up = (flags & IFF_UP) && (flags & IFF_RUNNING),
                         .loopback = (flags & IFF_LOOPBACK) != 0});
    }
    ::freeifaddrs(list);
    return found;
}
