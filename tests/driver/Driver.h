#pragma once

// Drives the program's dialogs as an operator would, by control id, through the backend's own
// input. Each backend of the framework implements this once; the console's behaviour tests use
// nothing else of the platform, so the same tests run on every backend.
//
// A call that names no running dialog or no control of it fails the test and does nothing.

#include "framework/Dialog.h"
#include "framework/Handles.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace driver {

enum class Key
{
    Tab,
    ShiftTab,
    Enter,
    KeypadEnter, // the Enter key of the numeric keypad
    Escape,
    Up,
    Down,
    Left,
    Right,
    PageUp,
    PageDown,
    Home,
    End,
};

// Runs dlg modally. script runs once the dialog's window is on screen (a dialog whose window
// never shows fails the test and is ended); afterwards a dialog still open is ended with -1.
// Returns what DoModal returned.
int runModal(CDialog& dlg, const std::function<void()>& script);

// Drives the next dialog that the program runs modally over the one on top now, as runModal
// does. Called before the input that opens that dialog; the test fails when none shows within
// timeoutMs, or when the dialog on top now closes first.
void driveNextDialog(std::function<void(CDialog& dlg)> script, int timeoutMs = 5000);

// Input delivered now, as the operator's would be, to control id of dlg (0: the dialog itself).
// Keys and typing go to a control that has the focus, so they give it the focus first.
void click(CDialog& dlg, int id);
void pressKey(CDialog& dlg, int id, Key key);
// Replaces the field's text by typing text into it, key by key.
void typeText(CDialog& dlg, int id, std::string_view text);
void setFocus(CDialog& dlg, int id);
// The close box of the dialog's window.
void closeWindow(CDialog& dlg);

// The same input, queued for whoever takes the next waiting messages (a loop's pass). Queued
// keys and typing reach the control as it stands, without moving the focus.
void postClick(CDialog& dlg, int id);
void postKey(CDialog& dlg, int id, Key key);
// Typing text where the field's caret is.
void postTyping(CDialog& dlg, int id, std::string_view text);
void postCloseWindow(CDialog& dlg);

// The id of the control of dlg that has the focus; 0 when none of its controls has it.
int focusedId(CDialog& dlg);
// The text a control shows: a field's contents, a button's or a label's caption, a drop-down
// list's chosen entry.
std::string text(CDialog& dlg, int id);
// The selected part of a field's text; empty when nothing is selected.
std::string selectedText(CDialog& dlg, int id);
// Whether the control takes input, as opposed to showing itself disabled.
bool isEnabled(CDialog& dlg, int id);

// The dialog's controls in creation order, the unaddressed ones (IDC_STATIC) among them.
struct ControlInfo
{
    int id;
    std::string text; // as text() has it; empty for a picture
    bool defaultButton;
    bool showsIcon;
};
std::vector<ControlInfo> controls(CDialog& dlg);

// Makes the control repaint as when it is uncovered (0: the whole dialog).
void repaint(CDialog& dlg, int id);

// The entries of the drop-down list id, the index of the chosen one (-1: none), and choosing one
// as the operator does (not on a disabled list).
std::vector<std::string> listItems(CDialog& dlg, int id);
int listSelection(CDialog& dlg, int id);
void chooseListItem(CDialog& dlg, int id, int index);

// The dialog's window as the window system shows it.
struct WindowLook
{
    std::string caption;
    bool fixedSize;
    bool minimizeBox;
    bool maximizeBox;
    bool hasIcon; // big and small
};
WindowLook windowLook(CDialog& dlg);
// The window that owns the dialog's window: the one it is modal to and shown over.
HWND owner(CDialog& dlg);

// The window menu's entries in order, and choosing one by its position.
struct MenuEntry
{
    bool separator;
    unsigned id;
    std::string text;
};
std::vector<MenuEntry> systemMenu(CDialog& dlg);
void chooseSystemMenuEntry(CDialog& dlg, int position);

// The dialog running modally on top of all others, null when none runs.
CDialog* activeDialog();

// Lets the event loop run: for ms milliseconds, or until condition holds (false when it never
// did within timeoutMs).
void wait(int ms);
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

} // namespace driver
