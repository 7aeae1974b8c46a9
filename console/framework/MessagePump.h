#pragma once

// Dispatches the input and events waiting now, without waiting for any: one pass of the event
// loop, for handlers that keep the window alive while they run.
void PumpWaitingMessages();
