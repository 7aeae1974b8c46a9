#include "framework/win32/WindowsApi.h"

#include "Watchers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <map>
#include <memory>

namespace driver::watch {
namespace {

constexpr UINT kPollMs = 5;

// Runs script on dlg, then ends the dialog if it is still on screen. The script runs from a
// timer message: an exception must not leave it through the system's frames, which would drop it
// and leave the dialog open with nothing to drive it.
void drive(CDialog& dlg, const std::function<void()>& script)
{
    try {
        script();
    } catch (const std::exception& exception) {
        ADD_FAILURE() << "the script threw: " << exception.what();
    } catch (...) {
        ADD_FAILURE() << "the script threw";
    }
    if (dlg.IsWindowVisible())
        dlg.EndDialog(-1);
}

// A script waiting for its dialog to show, polled by a thread timer.
struct Watcher
{
    // The dialog to drive, or null for the next one over below.
    CDialog* dlg;
    CDialog* below;
    HWND belowWindow;
    std::function<void(CDialog&)> script;
    ULONGLONG deadline;
};

std::map<UINT_PTR, std::unique_ptr<Watcher>>& watchers()
{
    static std::map<UINT_PTR, std::unique_ptr<Watcher>> all;
    return all;
}

void stopWatching(UINT_PTR timer)
{
    KillTimer(nullptr, timer);
    watchers().erase(timer);
}

void CALLBACK look(HWND, UINT, UINT_PTR timer, DWORD)
{
    const auto found = watchers().find(timer);
    if (found == watchers().end())
        return;
    Watcher& watcher = *found->second;
    CDialog* shown = watcher.dlg;
    if (!shown) {
        CDialog* top = activeDialog();
        shown = top != watcher.below ? top : nullptr;
    } else if (!shown->IsWindowVisible()) {
        shown = nullptr;
    }
    if (shown) {
        // Once only: the script's own waits dispatch further timer messages.
        const std::unique_ptr<Watcher> done = std::move(found->second);
        stopWatching(timer);
        drive(*shown, [&] { done->script(*shown); });
    } else if (watcher.belowWindow && !IsWindowVisible(watcher.belowWindow)) {
        stopWatching(timer);
        ADD_FAILURE() << "the dialog that another was to open over closed first";
    } else if (GetTickCount64() >= watcher.deadline) {
        CDialog* const dlg = watcher.dlg;
        stopWatching(timer);
        ADD_FAILURE() << (dlg ? "the dialog's window never showed" : "no dialog came up");
        if (dlg && dlg->GetSafeHwnd())
            dlg->EndDialog(-1);
    }
}

} // namespace

void whenShown(CDialog* dlg, std::function<void(CDialog&)> script, int timeoutMs)
{
    CDialog* const below = dlg ? nullptr : activeDialog();
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(std::max(timeoutMs, 0));
    const UINT_PTR timer = SetTimer(nullptr, 0, kPollMs, look);
    watchers()[timer] = std::make_unique<Watcher>(
        Watcher{dlg, below, below ? below->GetSafeHwnd() : nullptr, std::move(script), deadline});
}

void stopWatchingOver(const CDialog& dlg)
{
    for (auto it = watchers().begin(); it != watchers().end();) {
        const Watcher& watcher = *it->second;
        const UINT_PTR timer = it->first;
        ++it;
        if (watcher.dlg == &dlg)
            stopWatching(timer); // ended before it showed
        else if (watcher.below == &dlg) {
            stopWatching(timer);
            ADD_FAILURE() << "the dialog that another was to open over closed first";
        }
    }
}

} // namespace driver::watch
