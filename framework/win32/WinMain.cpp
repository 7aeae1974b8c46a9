// The program's start on Windows: the command line, common controls, the timer period, the
// application object.
#include "WindowsApi.h"

#include "TimerResolution.h"
#include "Utf16.h"

#include <timeapi.h>

#include "framework/Backend.h"
#include "framework/WinApp.h"

#include <cstdio>
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

void writeCommandLineText(const std::string& text, bool error)
{
    // Started from a console or with its output redirected, the program has somewhere to
    // write; started from the desktop it has not, and the text comes up in a box instead.
    const HANDLE stream = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (stream && stream != INVALID_HANDLE_VALUE) {
        std::fputs(text.c_str(), error ? stderr : stdout);
        std::fflush(error ? stderr : stdout);
        return;
    }
    MessageBoxW(nullptr, toUtf16(text).c_str(), toUtf16(executableBaseName()).c_str(),
                MB_OK | (error ? MB_ICONEXCLAMATION : MB_ICONINFORMATION));
}

int AfxWinMain(int argc, char* argv[], const char* versionText)
{
    if (const std::optional<int> status = AfxAnswerCommandLine(argc, argv, versionText))
        return *status;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const FineTimerPeriod timerPeriod;
    if (CWinApp* app = AfxGetApp())
        app->InitInstance();
    return 0;
}
