// CDialog on Win32: its modal run, and its controls' texts, numbers, tips and icon.
#include "WindowsApi.h"

#include "DialogWindow.h"
#include "Icons.h"
#include "Utf16.h"

#include "framework/WinApp.h"

namespace {
// The owner of a dialog run without a parent: the application's main window, else the dialog
// on screen that started last.
HWND defaultOwner(const CDialog& dialog)
{
    if (const CWinApp* app = AfxGetApp(); app && app->m_pMainWnd && app->m_pMainWnd != &dialog) {
        if (const HWND main = app->m_pMainWnd->GetSafeHwnd())
            return main;
    }
    const CDialog* active = DialogWindow::active();
    return active ? active->GetSafeHwnd() : nullptr;
}
} // namespace

CDialog::CDialog(int nIDTemplate, CDialog* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{}

CDialog::~CDialog() = default;

int CDialog::DoModal()
{
    // A dialog runs once at a time; a second run while it runs is refused.
    if (m_pWindow)
        return -1;
    const HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : defaultOwner(*this);
    m_pWindow = std::make_unique<DialogWindow>(*this);
    const int result = m_pWindow->runModal(owner);
    m_pSystemMenu.reset();
    m_pWindow.reset();
    return result;
}

void CDialog::EndDialog(int nResult)
{
    if (m_pWindow)
        m_pWindow->end(nResult);
}

HWND CDialog::GetSafeHwnd() const
{
    return m_pWindow ? m_pWindow->handle() : nullptr;
}

bool CDialog::IsWindowVisible() const
{
    const HWND hwnd = GetSafeHwnd();
    return hwnd && ::IsWindowVisible(hwnd);
}

HWND CDialog::GetDlgItem(int nID) const
{
    const HWND hwnd = GetSafeHwnd();
    return hwnd ? ::GetDlgItem(hwnd, nID) : nullptr;
}

int CDialog::GetDlgItemInt(int nID, bool* pTranslated) const
{
    BOOL translated = FALSE;
    int value = 0;
    if (const HWND hwnd = GetSafeHwnd())
        value = static_cast<int>(::GetDlgItemInt(hwnd, nID, &translated, TRUE));
    if (pTranslated)
        *pTranslated = translated != FALSE;
    return value;
}

void CDialog::SetDlgItemInt(int nID, int nValue)
{
    if (const HWND hwnd = GetSafeHwnd())
        ::SetDlgItemInt(hwnd, nID, static_cast<UINT>(nValue), TRUE);
}

std::string CDialog::GetDlgItemText(int nID) const
{
    const HWND item = GetDlgItem(nID);
    if (!item)
        return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(static_cast<size_t>(
        GetDlgItemTextW(GetSafeHwnd(), nID, text.data(), static_cast<int>(text.size()))));
    return toUtf8(text);
}

void CDialog::SetDlgItemText(int nID, std::string_view text)
{
    if (const HWND hwnd = GetSafeHwnd())
        SetDlgItemTextW(hwnd, nID, toUtf16(text).c_str());
}

int CDialog::AddListItem(int nID, std::string_view text)
{
    const HWND list = GetDlgItem(nID);
    if (!list)
        return -1;
    const LRESULT index =
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toUtf16(text).c_str()));
    return index >= 0 ? static_cast<int>(index) : -1;
}

void CDialog::SetListItemTip(int nID, int nIndex, std::string_view tip)
{
    if (const HWND list = GetDlgItem(nID))
        m_pWindow->listItemTips().set(GetSafeHwnd(), list, nIndex, toUtf16(tip));
}

void CDialog::EnableDlgItem(int nID, bool bEnable)
{
    if (const HWND item = GetDlgItem(nID))
        EnableWindow(item, bEnable ? TRUE : FALSE);
}

bool CDialog::SetTimer(unsigned nIDEvent, unsigned nElapse)
{
    const HWND hwnd = GetSafeHwnd();
    return hwnd && ::SetTimer(hwnd, nIDEvent, nElapse, nullptr) != 0;
}

void CDialog::SetIcon(HICON hIcon, bool bBigIcon)
{
    const HWND hwnd = GetSafeHwnd();
    if (!hwnd)
        return;
    const HICON image = bBigIcon ? hIcon : smallIconOf(hIcon);
    SendMessageW(hwnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL,
                 reinterpret_cast<LPARAM>(image));
}
