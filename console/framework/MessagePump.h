#pragma once

// One pass of a loop that keeps its window alive while it runs: dispatches the events waiting now
// and returns without waiting for any. Qt has no call that takes a single message off the queue;
// the nearest is one non-waiting pass of its event dispatcher, which delivers the posted events,
// due timers and window-system input waiting at this moment, and nothing that arrives later.
//
// Input dispatched here reaches the control it is meant for, but not the dialog's own keyboard
// handling: Tab and Backtab move no focus, Enter and Esc press no button and close no dialog,
// while the mouse and the close box work as usual. A modal dialog or message box opened during
// the pass runs its own loop and keeps its keyboard handling.
void PumpWaitingMessages();
