#include "net/NetworkInterface.h"

#include "base/win32/WindowsApi.h"

#include <iphlpapi.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <cstring>

namespace {
std::string utf8(const wchar_t* wide)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.pop_back(); // the terminating NUL
    return text;
}

uint32_t netmaskOf(unsigned prefixLength)
{
    return prefixLength == 0 ? 0 : ~0u << (32 - std::min(prefixLength, 32u));
}
} // namespace

std::vector<NetworkInterface> machineInterfaces()
{
    constexpr ULONG kFlags =
        GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
    // The list is asked for again, in the size the system says, while it grows faster than it is
    // read.
    std::vector<IP_ADAPTER_ADDRESSES> buffer;
    ULONG size = 16 * 1024;
    ULONG result = ERROR_BUFFER_OVERFLOW;
    for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
        buffer.resize(size / sizeof(IP_ADAPTER_ADDRESSES) + 1);
        size = static_cast<ULONG>(buffer.size() * sizeof(IP_ADAPTER_ADDRESSES));
        result = GetAdaptersAddresses(AF_INET, kFlags, nullptr, buffer.data(), &size);
    }
    if (result != NO_ERROR)
        return {};
    std::vector<NetworkInterface> found;
    for (const IP_ADAPTER_ADDRESSES* adapter = buffer.data(); adapter; adapter = adapter->Next) {
        for (const IP_ADAPTER_UNICAST_ADDRESS* unicast = adapter->FirstUnicastAddress; unicast;
             unicast = unicast->Next) {
            const SOCKADDR* address = unicast->Address.lpSockaddr;
            if (!address || address->sa_family != AF_INET)
                continue;
            sockaddr_in ipv4{};
            std::memcpy(&ipv4, address, sizeof ipv4);
            found.push_back({.name = utf8(adapter->FriendlyName),
                             .address = ntohl(ipv4.sin_addr.s_addr),
                             .netmask = netmaskOf(unicast->OnLinkPrefixLength),
                             .index = adapter->IfIndex,
                             .up = adapter->OperStatus == IfOperStatusUp,
                             .loopback = adapter->IfType == IF_TYPE_SOFTWARE_LOOPBACK});
        }
    }
    return found;
}
