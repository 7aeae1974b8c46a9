#include "WindowsApi.h"

#include "Utf16.h"

#include "framework/Backend.h"

#include <string>

std::string executableBaseName()
{
    // Paths may be longer than MAX_PATH; the buffer grows until the whole path fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::wstring_view name = path;
    name.remove_prefix(name.find_last_of(L"\\/") + 1);
    constexpr std::wstring_view kExtension = L".exe";
    if (name.size() > kExtension.size() &&
        CompareStringOrdinal(name.data() + name.size() - kExtension.size(),
                             static_cast<int>(kExtension.size()), kExtension.data(),
                             static_cast<int>(kExtension.size()), TRUE) == CSTR_EQUAL)
        name.remove_suffix(kExtension.size());
    return toUtf8(name);
}
