#include "framework/win32/WindowsApi.h"

#include "Keyboard.h"

#include "framework/win32/Utf16.h"

#include <algorithm>
#include <iterator>

namespace driver::keyboard {
namespace {
void postKeyMessage(HWND target, UINT vk, bool extended, bool released)
{
    PostMessageW(target, released ? WM_KEYUP : WM_KEYDOWN, vk, keyData(vk, extended, released));
}
} // namespace

KeyStroke keyStroke(Key key)
{
    switch (key) {
    case Key::Tab:
        return {VK_TAB, false, false};
    case Key::ShiftTab:
        return {VK_TAB, false, true};
    case Key::Enter:
        return {VK_RETURN, false, false};
    case Key::KeypadEnter:
        return {VK_RETURN, true, false};
    case Key::Escape:
        return {VK_ESCAPE, false, false};
    case Key::Up:
        return {VK_UP, true, false};
    case Key::Down:
        return {VK_DOWN, true, false};
    case Key::Left:
        return {VK_LEFT, true, false};
    case Key::Right:
        return {VK_RIGHT, true, false};
    case Key::PageUp:
        return {VK_PRIOR, true, false};
    case Key::PageDown:
        return {VK_NEXT, true, false};
    case Key::Home:
        return {VK_HOME, true, false};
    case Key::End:
        return {VK_END, true, false};
    }
    return {0, false, false};
}

LPARAM keyData(UINT vk, bool extended, bool released)
{
    LPARAM data = 1 | static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    if (extended)
        data |= 1 << 24;
    if (released)
        data |= 3LL << 30;
    return data;
}

void postStroke(HWND target, const KeyStroke& stroke)
{
    if (stroke.shift)
        postKeyMessage(target, VK_SHIFT, false, false);
    postKeyMessage(target, stroke.vk, stroke.extended, false);
    postKeyMessage(target, stroke.vk, stroke.extended, true);
    if (stroke.shift)
        postKeyMessage(target, VK_SHIFT, false, true);
}

ShiftHeld::ShiftHeld(bool held) : m_held(held)
{
    if (!m_held)
        return;
    GetKeyboardState(m_saved);
    BYTE state[256];
    std::copy(std::begin(m_saved), std::end(m_saved), state);
    state[VK_SHIFT] |= 0x80;
    state[VK_LSHIFT] |= 0x80;
    SetKeyboardState(state);
}

ShiftHeld::~ShiftHeld()
{
    if (m_held)
        SetKeyboardState(m_saved);
}

void postCharacters(HWND field, std::string_view text)
{
    for (const wchar_t unit : toUtf16(text))
        PostMessageW(field, WM_CHAR, unit, 1);
}

void sendTyping(HWND field, std::string_view text)
{
    for (const wchar_t unit : toUtf16(text)) {
        // A character that no key of the layout types comes as the character alone.
        const SHORT scan = VkKeyScanW(unit);
        const UINT vk = scan == -1 ? 0 : LOBYTE(scan);
        if (vk)
            SendMessageW(field, WM_KEYDOWN, vk, keyData(vk, false, false));
        SendMessageW(field, WM_CHAR, unit, 1);
        if (vk)
            SendMessageW(field, WM_KEYUP, vk, keyData(vk, false, true));
    }
}

} // namespace driver::keyboard
