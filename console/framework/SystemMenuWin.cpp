// The window menu on Windows: the real system menu of the dialog's window.
#include "Dialog.h"
#include "WindowMenuApi.h"

bool CMenu::AppendMenu(unsigned nFlags, unsigned nIDNewItem, const QString& text)
{
    return appendToWindowMenu(m_menu, nFlags, nIDNewItem,
                              reinterpret_cast<const char16_t*>(text.utf16()));
}

CMenu* CDialog::GetSystemMenu(bool bRevert)
{
    void* menu = windowSystemMenu(static_cast<uintptr_t>(winId()), bRevert);
    if (!menu) {
        m_systemMenu.reset();
        return nullptr;
    }
    m_systemMenu.emplace(menu);
    return &*m_systemMenu;
}

void CDialog::OnSysCommand(unsigned /*nID*/, long /*lParam*/)
{
    m_bDefaultSysCommand = true;
}

bool CDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    unsigned id = 0;
    long parameter = 0;
    if (!readSystemCommand(message, id, parameter))
        return QDialog::nativeEvent(eventType, message, result);
    m_bDefaultSysCommand = false;
    OnSysCommand(id, parameter);
    if (m_bDefaultSysCommand)
        return false; // the window procedure carries the command out
    *result = 0;
    return true;
}
