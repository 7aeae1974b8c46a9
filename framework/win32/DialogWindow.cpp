#include "WindowsApi.h"

#include "DialogWindow.h"

#include "CentreWindow.h"
#include "DialogTemplateBuilder.h"
#include "Utf16.h"

#include "framework/Resources.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {
// The dialogs that run, in the order in which they started. The program's windows all belong to
// its one user-interface thread.
std::vector<DialogWindow*>& runningDialogs()
{
    static std::vector<DialogWindow*> dialogs;
    return dialogs;
}

bool hasWindowClass(HWND window, const wchar_t* className)
{
    wchar_t name[64];
    return GetClassNameW(window, name, 64) > 0 &&
           CompareStringOrdinal(name, -1, className, -1, TRUE) == CSTR_EQUAL;
}
} // namespace

int DialogWindow::runModal(HWND owner)
{
    const std::vector<WORD> memoryTemplate =
        buildDialogTemplate(dialogTemplate(m_dialog.m_nIDTemplate));
    std::vector<DialogWindow*>& running = runningDialogs();
    running.push_back(this);
    const INT_PTR result = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(memoryTemplate.data()), owner,
        &DialogWindow::procedure, reinterpret_cast<LPARAM>(this));
    running.erase(std::find(running.begin(), running.end(), this));
    return static_cast<int>(result);
}

void DialogWindow::end(int result)
{
    if (m_hwnd)
        EndDialog(m_hwnd, result);
}

void DialogWindow::passSysCommandOn()
{
    if (m_pSysCommandPassedOn)
        *m_pSysCommandPassedOn = true;
}

CDialog* DialogWindow::fromHandle(HWND hwnd)
{
    for (DialogWindow* window : runningDialogs()) {
        if (hwnd && window->m_hwnd == hwnd)
            return &window->m_dialog;
    }
    return nullptr;
}

CDialog* DialogWindow::active()
{
    const std::vector<DialogWindow*>& running = runningDialogs();
    // An ended dialog is hidden, though its window lasts until its handler returns.
    const auto top = std::find_if(running.rbegin(), running.rend(), [](DialogWindow* window) {
        return window->m_hwnd && IsWindowVisible(window->m_hwnd);
    });
    return top == running.rend() ? nullptr : &(*top)->m_dialog;
}

INT_PTR CALLBACK DialogWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return reinterpret_cast<DialogWindow*>(lParam)->onInitDialog(hwnd);
    }
    auto* window = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!window) // the window's creation, before WM_INITDIALOG
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        return window->onCommand(wParam, lParam);
    case WM_NOTIFY:
        return window->onNotify(*reinterpret_cast<Win32Nmhdr*>(lParam));
    case WM_SYSCOMMAND:
        return window->onSysCommand(wParam, lParam);
    case WM_TIMER:
        window->m_dialog.OnTimer(static_cast<unsigned>(wParam));
        return TRUE;
    case WM_NCDESTROY:
        window->m_hwnd = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR DialogWindow::onInitDialog(HWND hwnd)
{
    m_hwnd = hwnd;
    runInitData();
    // The template places the dialog at the origin; OnInitDialog may still move it.
    centreWindow(hwnd);
    // TRUE lets the dialog manager focus the first tab stop.
    return m_dialog.OnInitDialog() ? TRUE : FALSE;
}

void DialogWindow::runInitData()
{
    // Only drop-down lists take initial data; entries for other controls are left out.
    for (const DlgInitEntry& entry : dialogInitData(m_dialog.m_nIDTemplate)) {
        if (entry.message != CB_ADDSTRING ||
            !hasWindowClass(GetDlgItem(m_hwnd, entry.id), WC_COMBOBOXW))
            continue;
        const std::wstring text = toUtf16(entry.text ? entry.text : "");
        SendDlgItemMessageW(m_hwnd, entry.id, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(text.c_str()));
    }
}

INT_PTR DialogWindow::onCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const auto control = reinterpret_cast<HWND>(lParam);
    if (HIWORD(wParam) == CBN_SELCHANGE && control && hasWindowClass(control, WC_COMBOBOXW)) {
        m_dialog.OnCommand(id, CBN_SELCHANGE);
        return TRUE;
    }
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    // The dialog manager sends IDOK and IDCANCEL for Enter, Esc and the close box, with the
    // button's window where the dialog has that button.
    const bool clicked =
        control ? hasWindowClass(control, WC_BUTTONW) : (id == IDOK || id == IDCANCEL);
    if (!clicked)
        return FALSE;
    m_dialog.OnCommand(id, BN_CLICKED);
    return TRUE;
}

INT_PTR DialogWindow::onNotify(Win32Nmhdr& header)
{
    if (header.code == TTN_GETDISPINFOW)
        return m_listItemTips.provideText(reinterpret_cast<NMTTDISPINFOW&>(header));
    if (header.code != static_cast<UINT>(NM_CUSTOMDRAW) ||
        !hasWindowClass(header.hwndFrom, TRACKBAR_CLASSW))
        return FALSE;
    // A trackbar notifies at several stages of one paint; the first one stands for the paint.
    if (reinterpret_cast<const NMCUSTOMDRAW&>(header).dwDrawStage != CDDS_PREPAINT)
        return FALSE;
    const long result = m_dialog.OnNotify(static_cast<int>(header.idFrom), NM_CUSTOMDRAW);
    SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR DialogWindow::onSysCommand(WPARAM wParam, LPARAM lParam)
{
    bool passedOn = false;
    bool* const outer = std::exchange(m_pSysCommandPassedOn, &passedOn);
    m_dialog.OnSysCommand(static_cast<unsigned>(wParam), static_cast<long>(lParam));
    m_pSysCommandPassedOn = outer;
    // FALSE lets the dialog manager carry the command out.
    return passedOn ? FALSE : TRUE;
}
