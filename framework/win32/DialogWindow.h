#pragma once

#include "WindowsApi.h"

#include "ListItemTips.h"

// The window of a running CDialog: a modal dialog of the Windows dialog manager, made from the
// program's template, whose dialog procedure reports the buttons' clicks, the trackbars' paints
// and the window menu's commands to its CDialog. The dialogs that run are kept in the order in
// which they started.
class DialogWindow
{
public:
    explicit DialogWindow(CDialog& dialog) : m_dialog(dialog) {}
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Runs the dialog modally, owned by owner (null: by no window). Returns the result given to
    // EndDialog, -1 when the window could not be made.
    int runModal(HWND owner);
    // Ends the run with result once control is back in its modal loop; the window hides now.
    void end(int result);

    // The window while it exists, null before and after.
    HWND handle() const { return m_hwnd; }
    ListItemTips& listItemTips() { return m_listItemTips; }
    // What CDialog::OnSysCommand does by default: leaves the command to the dialog manager.
    void passSysCommandOn();

    // The window of a running dialog, null when it does not run.
    static DialogWindow* of(const CDialog& dialog) { return dialog.m_pWindow.get(); }
    // The CDialog whose window hwnd is, null when it is no running dialog's window.
    static CDialog* fromHandle(HWND hwnd);
    // Of the dialogs that run and are on screen, the one that started last; null when none is.
    static CDialog* active();

private:
    static INT_PTR CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR onInitDialog(HWND hwnd);
    INT_PTR onCommand(WPARAM wParam, LPARAM lParam);
    INT_PTR onNotify(Win32Nmhdr& header);
    INT_PTR onSysCommand(WPARAM wParam, LPARAM lParam);
    void runInitData();

    CDialog& m_dialog;
    HWND m_hwnd = nullptr;
    // Set by passSysCommandOn while the dialog handles a window-menu command.
    bool* m_pSysCommandPassedOn = nullptr;
    ListItemTips m_listItemTips;
};
