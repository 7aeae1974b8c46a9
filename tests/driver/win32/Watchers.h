#pragma once

// Scripts that wait for a dialog to show, polled by thread timers, which every modal loop of the
// thread dispatches: the driver's way into a dialog that runs its own loop.
#include "driver/Driver.h"

#include <functional>

namespace driver::watch {

// Runs script once dlg shows, or once the next dialog over the one on top now shows when dlg is
// null; fails the test when none does within timeoutMs. The dialog is ended afterwards if it is
// still open.
void whenShown(CDialog* dlg, std::function<void(CDialog&)> script, int timeoutMs);

// Forgets the scripts that can no longer see their dialog now that dlg has ended.
void stopWatchingOver(const CDialog& dlg);

} // namespace driver::watch
