#include "base/SystemErrorText.h"

#include "base/win32/WindowsApi.h"

#include <cstdio>
#include <iterator>

std::string systemErrorText(unsigned long error)
{
    wchar_t wide[256];
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             error, 0, wide, static_cast<DWORD>(std::size(wide) - 1), nullptr);
    for (DWORD i = 0; i < n; ++i)
        if (wide[i] == L'\r' || wide[i] == L'\n')
            wide[i] = L' ';
    while (n > 0 && (wide[n - 1] == L' ' || wide[n - 1] == L'.'))
        --n;
    wide[n] = L'\0';
    char text[512];
    if (n == 0 ||
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr) == 0)
        std::snprintf(text, sizeof text, "system error %lu", error);
    return text;
}
