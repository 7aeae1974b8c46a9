#include "WindowMenuApi.h"

#include <windows.h>

void* windowSystemMenu(uintptr_t window, bool revert)
{
    return GetSystemMenu(reinterpret_cast<HWND>(window), revert);
}

bool appendToWindowMenu(void* menu, unsigned flags, unsigned id, const char16_t* text)
{
    return AppendMenuW(static_cast<HMENU>(menu), flags, id, reinterpret_cast<LPCWSTR>(text));
}

bool readSystemCommand(const void* message, unsigned& id, long& parameter)
{
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message != WM_SYSCOMMAND)
        return false;
    id = static_cast<unsigned>(msg->wParam);
    parameter = static_cast<long>(msg->lParam);
    return true;
}
