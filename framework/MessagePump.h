#pragma once

// One pass of a loop that keeps its window alive while it runs: takes at most what is waiting
// now off the thread's queue, dispatches it and returns without waiting for more.
//
// Input dispatched here reaches the control it is meant for, but not the dialog's own keyboard
// handling: Tab and Backtab move no focus, Enter and Esc press no button and close no dialog,
// while the mouse and the close box work as usual. A modal dialog or message box opened during
// the pass runs its own loop and keeps its keyboard handling.
void PumpWaitingMessages();
