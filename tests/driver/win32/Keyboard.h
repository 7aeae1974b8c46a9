#pragma once

// The keyboard's messages as the driver brings them: strokes of the driver's keys, posted for the
// dialog manager or a loop to take, and typing sent straight to a field.
#include "framework/win32/WindowsApi.h"

#include "driver/Driver.h"

#include <string_view>

namespace driver::keyboard {

struct KeyStroke
{
    UINT vk;
    bool extended; // a key outside the main block: the arrows, the keypad's Enter, …
    bool shift;
};

KeyStroke keyStroke(Key key);

// What a key message carries besides the key: one stroke, the scan code, the extended-key flag,
// and the flags of a release.
LPARAM keyData(UINT vk, bool extended, bool released);

// The messages of a stroke, Shift around it where it takes Shift.
void postStroke(HWND target, const KeyStroke& stroke);

// Holds Shift down in the thread's keyboard state while it lives: posted key messages leave that
// state alone, and the dialog manager reads Shift from it.
class ShiftHeld
{
public:
    explicit ShiftHeld(bool held);
    ~ShiftHeld();
    ShiftHeld(const ShiftHeld&) = delete;
    ShiftHeld& operator=(const ShiftHeld&) = delete;

private:
    const bool m_held;
    BYTE m_saved[256] = {};
};

// Characters alone, queued: the loop's TranslateMessage would make a second one of a key message.
void postCharacters(HWND field, std::string_view text);
// The keys of text, handled now by the field.
void sendTyping(HWND field, std::string_view text);

} // namespace driver::keyboard
