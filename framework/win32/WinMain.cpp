// The program's start on Windows: common controls, the timer period, the application object.
#include "WindowsApi.h"

#include "TimerResolution.h"

#include <timeapi.h>

#include "framework/WinApp.h"

#include <utility>

namespace {
unsigned beginPeriod(unsigned periodMs)
{
    return timeBeginPeriod(periodMs);
}

unsigned endPeriod(unsigned periodMs)
{
    return timeEndPeriod(periodMs);
}

TimerPeriodCalls g_periodCalls{beginPeriod, endPeriod};

constexpr unsigned kTimerPeriodMs = 1;

// Holds the 1 ms timer period while it lives.
class FineTimerPeriod
{
public:
    FineTimerPeriod() : m_end(g_periodCalls.end) { g_periodCalls.begin(kTimerPeriodMs); }
    ~FineTimerPeriod() { m_end(kTimerPeriodMs); }
    FineTimerPeriod(const FineTimerPeriod&) = delete;
    FineTimerPeriod& operator=(const FineTimerPeriod&) = delete;

private:
    unsigned (*const m_end)(unsigned);
};
} // namespace

TimerPeriodCalls setTimerPeriodCalls(TimerPeriodCalls calls)
{
    if (!calls.begin || !calls.end)
        calls = {beginPeriod, endPeriod};
    return std::exchange(g_periodCalls, calls);
}

int AfxWinMain(int /*argc*/, char* /*argv*/[], const char* /*versionText*/)
{
    // Windows passes the program no arguments of its own; the version lives in the executable's
    // version record.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const FineTimerPeriod timerPeriod;
    if (CWinApp* app = AfxGetApp())
        app->InitInstance();
    return 0;
}
