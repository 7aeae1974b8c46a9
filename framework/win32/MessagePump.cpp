#include "WindowsApi.h"

#include "framework/MessagePump.h"

void PumpWaitingMessages()
{
    // Without IsDialogMessage the dialog manager sees none of these messages: Tab, Enter and Esc
    // reach the focused control, which does nothing with them.
    MSG message;
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
