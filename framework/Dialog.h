#pragma once

#include "Handles.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

class CDataExchange;
class CMenu;
class DialogWindow; // the platform's window of a running dialog

// The header of a control's notification.
struct NMHDR
{
    int idFrom;
    int code;
};

inline constexpr int NM_CUSTOMDRAW = -12;
inline constexpr long CDRF_DODEFAULT = 0;

// What a control's command says happened.
inline constexpr int BN_CLICKED = 0;    // a button was pressed
inline constexpr int CBN_SELCHANGE = 1; // the operator chose another entry of a drop-down list

// A dialog built from the program's template with the given id. DoModal creates its window and
// controls in template order, which is also the tab order, runs OnInitDialog and then the modal
// loop; the controls are addressed by their ids while it runs. Enter presses the default button,
// Esc and the close box end in OnCancel. The buttons IDOK and IDCANCEL call OnOK and OnCancel
// unless the message map gives them handlers of their own; other buttons and the drop-down
// lists do what the message map says, or nothing.
class CDialog
{
public:
    // Without a parent the dialog belongs to the application's main window, if it has one.
    explicit CDialog(int nIDTemplate, CDialog* pParentWnd = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    int DoModal();
    void EndDialog(int nResult);

    // The dialog's window while it runs, null before and after.
    HWND GetSafeHwnd() const;
    bool IsWindowVisible() const;
    HWND GetDlgItem(int nID) const;

    // The field's text as a signed decimal integer; 0, with *pTranslated false, when it is none.
    int GetDlgItemInt(int nID, bool* pTranslated = nullptr) const;
    void SetDlgItemInt(int nID, int nValue);
    std::string GetDlgItemText(int nID) const; // UTF-8
    void SetDlgItemText(int nID, std::string_view text);
    // Appends an entry to the drop-down list nID, for lists whose entries are known only as the
    // dialog runs; returns its index, -1 when there is no such list.
    int AddListItem(int nID, std::string_view text);
    // A hint shown over entry nIndex of the drop-down list nID, and over the list while that
    // entry is chosen.
    void SetListItemTip(int nID, int nIndex, std::string_view tip);
    // A disabled control shows so and takes no input.
    void EnableDlgItem(int nID, bool bEnable);

    // Runs the data exchange: from the members to the controls, or back with bSaveAndValidate.
    // False when a control's contents failed validation.
    bool UpdateData(bool bSaveAndValidate = true);
    void SetIcon(HICON hIcon, bool bBigIcon);
    // The window menu, which the dialog may extend; null when the window has none. bRevert
    // restores the menu's own items and returns null.
    CMenu* GetSystemMenu(bool bRevert);

    // Starts the window's timer nIDEvent, which calls OnTimer every nElapse ms for as long as the
    // dialog runs, also while a modal dialog or message box is over it; starting it again
    // restarts it. False when the window does not exist or the system has no timer left.
    bool SetTimer(unsigned nIDEvent, unsigned nElapse);

protected:
    // Runs the data exchange into the controls. True leaves the focus to the first tab stop.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();
    // A command chosen from the window menu; the default carries out the window's own commands
    // (minimise, close, …).
    virtual void OnSysCommand(unsigned nID, long lParam);
    // The timer nIDEvent has elapsed; does nothing by default.
    virtual void OnTimer(unsigned nIDEvent);

    // The message map: what a control's command (a button's click, a list's choice) and a
    // control's notification run.
    void mapCommand(int nID, int nCode, std::function<void()> handler);
    void mapClicked(int nID, std::function<void()> handler)
    {
        mapCommand(nID, BN_CLICKED, handler);
    }
    void mapNotify(int nID, int nCode, std::function<void(const NMHDR&, long*)> handler);

private:
    friend class DialogWindow;

    // What the window reports: a control's command, a control's notification.
    void OnCommand(int nID, int nCode);
    long OnNotify(int nID, int nCode);

    const int m_nIDTemplate;
    CDialog* const m_pParentWnd;
    std::unique_ptr<DialogWindow> m_pWindow;
    std::unique_ptr<CMenu> m_pSystemMenu;
    std::map<std::pair<int, int>, std::function<void()>> m_commands;
    std::map<std::pair<int, int>, std::function<void(const NMHDR&, long*)>> m_notify;
};
