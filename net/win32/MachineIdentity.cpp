#include "net/MachineIdentity.h"

#include "base/win32/WindowsApi.h"

std::string machineId()
{
    // The 64-bit view of the registry, where the system keeps it, whatever this build's width.
    char id[128];
    DWORD size = sizeof id;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Cryptography", "MachineGuid",
                     RRF_RT_REG_SZ | RRF_SUBKEY_WOW6464KEY, nullptr, id, &size) != ERROR_SUCCESS)
        return {};
    return id;
}

std::string hostName()
{
    wchar_t wide[256];
    DWORD length = sizeof wide / sizeof wide[0];
    if (!GetComputerNameExW(ComputerNameDnsHostname, wide, &length) || length == 0)
        return {};
    char name[1024];
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(length), name,
                                         sizeof name, nullptr, nullptr);
    return std::string(name, size > 0 ? static_cast<size_t>(size) : 0);
}
