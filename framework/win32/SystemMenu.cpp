// The dialog's window menu: the system menu of its window.
#include "WindowsApi.h"

#include "DialogWindow.h"
#include "Utf16.h"

bool CMenu::AppendMenu(unsigned nFlags, unsigned nIDNewItem, std::string_view text)
{
    if (!m_hMenu)
        return false;
    const std::wstring item = toUtf16(text);
    return AppendMenuW(m_hMenu, nFlags, nIDNewItem,
                       (nFlags & MF_SEPARATOR) ? nullptr : item.c_str()) != FALSE;
}

CMenu* CDialog::GetSystemMenu(bool bRevert)
{
    // A window without WS_SYSMENU shows no window menu, whatever GetSystemMenu gives.
    const HWND hwnd = GetSafeHwnd();
    const bool hasMenu = hwnd && (GetWindowLongW(hwnd, GWL_STYLE) & WS_SYSMENU);
    const HMENU menu = hasMenu ? ::GetSystemMenu(hwnd, bRevert) : nullptr;
    if (!menu) {
        m_pSystemMenu.reset();
        return nullptr;
    }
    if (!m_pSystemMenu || m_pSystemMenu->m_hMenu != menu)
        m_pSystemMenu = std::make_unique<CMenu>(menu);
    return m_pSystemMenu.get();
}

void CDialog::OnSysCommand(unsigned /*nID*/, long /*lParam*/)
{
    if (m_pWindow)
        m_pWindow->passSysCommandOn();
}
