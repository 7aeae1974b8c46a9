// The test driver on Win32: the operator's input as the window messages that the mouse and the
// keyboard would bring, sent or posted to the dialog manager's windows. Scripts that wait for a
// dialog to show run from thread timers (Watchers.h).
#include "framework/win32/WindowsApi.h"

#include "driver/Driver.h"

#include "framework/win32/DialogWindow.h"
#include "framework/win32/Utf16.h"

#include "Keyboard.h"
#include "Watchers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace driver {
namespace {

using namespace keyboard;

constexpr int kShowTimeoutMs = 5000;
// How long handling what waits may take before a window that keeps busy fails the test.
constexpr ULONGLONG kIdleTimeoutMs = 5000;

std::wstring className(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

bool hasClass(HWND window, const wchar_t* name)
{
    return CompareStringOrdinal(className(window).c_str(), -1, name, -1, TRUE) == CSTR_EQUAL;
}

// Control id of dlg, or the dialog's window for id 0; null, failing the test, when the dialog
// does not run or has no such control.
HWND windowOf(CDialog& dlg, int id)
{
    if (!dlg.GetSafeHwnd()) {
        ADD_FAILURE() << "the dialog does not run";
        return nullptr;
    }
    const HWND window = id ? dlg.GetDlgItem(id) : dlg.GetSafeHwnd();
    if (!window)
        ADD_FAILURE() << "the dialog has no control " << id;
    return window;
}

// Control id of dlg when it is of the class that kind names.
HWND controlOf(CDialog& dlg, int id, const wchar_t* windowClass, const char* kind)
{
    const HWND control = windowOf(dlg, id);
    if (control && !hasClass(control, windowClass)) {
        ADD_FAILURE() << "control " << id << " is no " << kind;
        return nullptr;
    }
    return control;
}

// Whether the operator can reach window: on screen, and neither it nor its dialog disabled (a
// dialog is disabled while a dialog it owns runs).
// The middle of the window's client area, as a mouse message carries a point.
LPARAM clientCentre(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return MAKELPARAM(client.right / 2, client.bottom / 2);
}

bool acceptsInput(HWND window)
{
    return IsWindowVisible(window) && IsWindowEnabled(window) &&
           IsWindowEnabled(GetAncestor(window, GA_ROOT));
}

std::string windowText(HWND window)
{
    std::wstring content(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    content.resize(static_cast<size_t>(
        GetWindowTextW(window, content.data(), static_cast<int>(content.size()))));
    return toUtf8(content);
}

// Routes a message as the modal loop of the dialog it is for does: through the dialog manager.
void dispatch(MSG& message)
{
    const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && DialogWindow::fromHandle(root) && IsDialogMessageW(root, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

// Handles everything that waits now, and what that brings on, until nothing is left.
void handleWaitingMessages()
{
    const ULONGLONG started = GetTickCount64();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        dispatch(message);
        if (GetTickCount64() - started > kIdleTimeoutMs) {
            ADD_FAILURE() << "the windows never ran out of messages";
            return;
        }
    }
}

// Gives control the focus unless it has it, the dialog's own way, so that a push button becomes
// the default one as with Tab. A field then has the caret at the end of its text, as after a
// click there, not all of it selected as after Tab.
void focus(CDialog& dlg, HWND control)
{
    if (GetFocus() == control)
        return;
    SendMessageW(dlg.GetSafeHwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    if (hasClass(control, WC_EDITW)) {
        const auto end = static_cast<WPARAM>(GetWindowTextLengthW(control));
        SendMessageW(control, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
}

} // namespace

int runModal(CDialog& dlg, const std::function<void()>& script)
{
    watch::whenShown(
        &dlg, [&](CDialog&) { script(); }, kShowTimeoutMs);
    const int result = dlg.DoModal();
    watch::stopWatchingOver(dlg);
    return result;
}

void driveNextDialog(std::function<void(CDialog& dlg)> script, int timeoutMs)
{
    watch::whenShown(nullptr, std::move(script), timeoutMs);
}

void click(CDialog& dlg, int id)
{
    const HWND target = windowOf(dlg, id);
    if (!target || !acceptsInput(target))
        return;
    const LPARAM centre = clientCentre(target);
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    SendMessageW(target, WM_LBUTTONUP, 0, centre);
}

void pressKey(CDialog& dlg, int id, Key key)
{
    const HWND target = windowOf(dlg, id);
    if (!target || !acceptsInput(target))
        return;
    if (id != 0)
        focus(dlg, target);
    // Posted and then handled as the modal loop handles them, so that the dialog manager sees
    // the keys on their way, as it sees the keyboard's.
    const KeyStroke stroke = keyStroke(key);
    const ShiftHeld shift(stroke.shift);
    postStroke(target, stroke);
    handleWaitingMessages();
}

void typeText(CDialog& dlg, int id, std::string_view text)
{
    const HWND field = controlOf(dlg, id, WC_EDITW, "field");
    if (!field || !acceptsInput(field))
        return;
    focus(dlg, field);
    // Select everything and type over it; with nothing to type, delete it.
    SendMessageW(field, EM_SETSEL, 0, -1);
    if (text.empty()) {
        SendMessageW(field, WM_KEYDOWN, VK_DELETE, keyData(VK_DELETE, true, false));
        SendMessageW(field, WM_KEYUP, VK_DELETE, keyData(VK_DELETE, true, true));
    }
    sendTyping(field, text);
}

void setFocus(CDialog& dlg, int id)
{
    const HWND target = windowOf(dlg, id);
    if (!target)
        return;
    if (id == 0)
        SetFocus(target);
    else
        focus(dlg, target);
}

void closeWindow(CDialog& dlg)
{
    const HWND window = windowOf(dlg, 0);
    if (!window || !acceptsInput(window) || !(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU))
        return;
    // The close box's command; the dialog manager turns it into IDCANCEL, posted.
    SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    handleWaitingMessages();
}

void postClick(CDialog& dlg, int id)
{
    const HWND target = windowOf(dlg, id);
    if (!target)
        return;
    const LPARAM centre = clientCentre(target);
    PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageW(target, WM_LBUTTONUP, 0, centre);
}

void postKey(CDialog& dlg, int id, Key key)
{
    if (const HWND target = windowOf(dlg, id))
        postStroke(target, keyStroke(key));
}

void postTyping(CDialog& dlg, int id, std::string_view text)
{
    if (const HWND field = controlOf(dlg, id, WC_EDITW, "field"))
        postCharacters(field, text);
}

void postCloseWindow(CDialog& dlg)
{
    if (const HWND window = windowOf(dlg, 0))
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

int focusedId(CDialog& dlg)
{
    const HWND dialog = windowOf(dlg, 0);
    HWND focused = GetFocus();
    // A control's inner window has the focus on the control's behalf.
    while (focused && GetAncestor(focused, GA_PARENT) != dialog)
        focused = GetAncestor(focused, GA_PARENT);
    return focused && dialog ? GetDlgCtrlID(focused) : 0;
}

std::string text(CDialog& dlg, int id)
{
    const HWND window = windowOf(dlg, id);
    return window ? windowText(window) : std::string();
}

std::string selectedText(CDialog& dlg, int id)
{
    const HWND field = controlOf(dlg, id, WC_EDITW, "field");
    if (!field)
        return {};
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const std::wstring content = toUtf16(windowText(field));
    start = std::min<DWORD>(start, static_cast<DWORD>(content.size()));
    end = std::clamp<DWORD>(end, start, static_cast<DWORD>(content.size()));
    return toUtf8(std::wstring_view(content).substr(start, end - start));
}

std::vector<ControlInfo> controls(CDialog& dlg)
{
    std::vector<ControlInfo> found;
    const HWND dialog = windowOf(dlg, 0);
    if (!dialog)
        return found;
    for (HWND control = GetWindow(dialog, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        const bool picture = hasClass(control, WC_STATICW) && (style & SS_TYPEMASK) == SS_ICON;
        const bool defaultButton = hasClass(control, WC_BUTTONW) &&
                                   (style & BS_TYPEMASK) == static_cast<LONG>(BS_DEFPUSHBUTTON);
        found.push_back({GetDlgCtrlID(control), picture ? std::string() : windowText(control),
                         defaultButton, picture && SendMessageW(control, STM_GETICON, 0, 0) != 0});
    }
    return found;
}

void repaint(CDialog& dlg, int id)
{
    if (const HWND window = windowOf(dlg, id))
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

std::vector<std::string> listItems(CDialog& dlg, int id)
{
    std::vector<std::string> items;
    const HWND list = controlOf(dlg, id, WC_COMBOBOXW, "drop-down list");
    if (!list)
        return items;
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (WPARAM index = 0; static_cast<LRESULT>(index) < count; ++index) {
        const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, index, 0);
        std::wstring item(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        const LRESULT copied =
            SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<size_t>(std::max<LRESULT>(copied, 0)));
        items.push_back(toUtf8(item));
    }
    return items;
}

int listSelection(CDialog& dlg, int id)
{
    const HWND list = controlOf(dlg, id, WC_COMBOBOXW, "drop-down list");
    return list ? static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)) : -1;
}

void chooseListItem(CDialog& dlg, int id, int index)
{
    const HWND list = controlOf(dlg, id, WC_COMBOBOXW, "drop-down list");
    if (!list)
        return;
    if (index < 0 || index >= SendMessageW(list, CB_GETCOUNT, 0, 0)) {
        ADD_FAILURE() << "drop-down list " << id << " has no entry " << index;
        return;
    }
    if (!acceptsInput(list))
        return;
    // The list tells its dialog of a choice the operator makes, not of one made by a message.
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dlg.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

bool isEnabled(CDialog& dlg, int id)
{
    const HWND control = windowOf(dlg, id);
    return control && IsWindowEnabled(control);
}

WindowLook windowLook(CDialog& dlg)
{
    const HWND window = windowOf(dlg, 0);
    if (!window)
        return {};
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    // The boxes show on a caption with a window menu.
    const bool boxes = (style & WS_SYSMENU) != 0;
    return {
        windowText(window),
        !(style & WS_THICKFRAME),
        boxes && (style & WS_MINIMIZEBOX),
        boxes && (style & WS_MAXIMIZEBOX),
        SendMessageW(window, WM_GETICON, ICON_BIG, 0) != 0 &&
            SendMessageW(window, WM_GETICON, ICON_SMALL, 0) != 0,
    };
}

HWND owner(CDialog& dlg)
{
    const HWND window = windowOf(dlg, 0);
    return window ? GetWindow(window, GW_OWNER) : nullptr;
}

std::vector<MenuEntry> systemMenu(CDialog& dlg)
{
    std::vector<MenuEntry> entries;
    const HWND window = windowOf(dlg, 0);
    const HMENU menu = window ? GetSystemMenu(window, FALSE) : nullptr;
    if (!menu)
        return entries;
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
        std::wstring itemText(info.cch + 1, L'\0');
        info.dwTypeData = itemText.data();
        info.cch = static_cast<UINT>(itemText.size());
        GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
        itemText.resize(info.cch);
        entries.push_back({(info.fType & MFT_SEPARATOR) != 0, info.wID, toUtf8(itemText)});
    }
    return entries;
}

void chooseSystemMenuEntry(CDialog& dlg, int position)
{
    const HWND window = windowOf(dlg, 0);
    const HMENU menu = window ? GetSystemMenu(window, FALSE) : nullptr;
    if (!menu)
        return;
    const UINT id = GetMenuItemID(menu, position);
    if (id == static_cast<UINT>(-1) || id == 0) {
        ADD_FAILURE() << "the window menu has no entry at " << position;
        return;
    }
    if (!acceptsInput(window) ||
        (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_GRAYED))
        return;
    // The menu posts the chosen command to its window.
    PostMessageW(window, WM_SYSCOMMAND, id, 0);
    handleWaitingMessages();
}

CDialog* activeDialog()
{
    return DialogWindow::active();
}

void wait(int ms)
{
    const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(std::max(ms, 0));
    for (;;) {
        handleWaitingMessages();
        const ULONGLONG now = GetTickCount64();
        if (now >= until)
            return;
        MsgWaitForMultipleObjectsEx(0, nullptr, 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(std::max(timeoutMs, 0));
    while (!condition()) {
        if (GetTickCount64() >= until)
            return false;
        handleWaitingMessages();
        MsgWaitForMultipleObjectsEx(0, nullptr, 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    return true;
}

} // namespace driver
