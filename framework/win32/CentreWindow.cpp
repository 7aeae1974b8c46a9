#include "WindowsApi.h"

#include "CentreWindow.h"

#include <algorithm>

namespace {
int width(const RECT& rect)
{
    return rect.right - rect.left;
}

int height(const RECT& rect)
{
    return rect.bottom - rect.top;
}

RECT workArea(HWND window)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}
} // namespace

void centreWindow(HWND window)
{
    const HWND owner = GetWindow(window, GW_OWNER);
    const RECT area = workArea(owner ? owner : window);
    RECT around = area;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &around);

    RECT rect{};
    GetWindowRect(window, &rect);
    // The left and top edges win over the right and bottom ones: the caption stays reachable.
    const int x = std::max(area.left, std::min(around.left + (width(around) - width(rect)) / 2,
                                               area.right - width(rect)));
    const int y = std::max(area.top, std::min(around.top + (height(around) - height(rect)) / 2,
                                              area.bottom - height(rect)));
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
