#pragma once

#include "DialogTemplate.h"
#include "DialogUnits.h"
#include "SystemMenu.h"

#include <QDialog>
#include <QHash>

#include <functional>
#include <optional>

class CDataExchange;

// The header of a control's notification.
struct NMHDR
{
    int idFrom;
    int code;
};

inline constexpr int NM_CUSTOMDRAW = -12;
inline constexpr long CDRF_DODEFAULT = 0;

// A dialog built from a template: the controls are created in template order, which is also the
// tab order, and are addressed by their ids. DoModal runs it modally: Enter presses the default
// button (or the focused push button), Esc, the close box and the window manager's close all end
// in OnCancel. The buttons IDOK and IDCANCEL call OnOK and OnCancel unless the message map gives
// them handlers of their own; other buttons do what the message map says, or nothing.
class CDialog : public QDialog
{
public:
    explicit CDialog(const DialogTemplate& dialogTemplate, QWidget* pParent = nullptr);

    int DoModal();
    void EndDialog(int nResult);

    QWidget* GetDlgItem(int nId) const;
    // The field's text as a signed decimal integer; 0, with *pTranslated false, when it is none.
    int GetDlgItemInt(int nId, bool* pTranslated = nullptr) const;
    void SetDlgItemInt(int nId, int nValue);
    QString GetDlgItemText(int nId) const;
    void SetDlgItemText(int nId, const QString& text);

    // Runs the data exchange: from the members to the controls, or back with bSaveAndValidate.
    // False when a control's contents failed validation.
    bool UpdateData(bool bSaveAndValidate = true);
    void SetIcon(const QIcon& icon, bool bBigIcon);
    // The window menu, which the dialog may extend; null when the window has none. bRevert
    // restores the menu's own items and returns null.
    CMenu* GetSystemMenu(bool bRevert);

    const DialogBaseUnits& baseUnits() const { return m_units; }

protected:
    // Runs the data exchange into the controls. True leaves the focus to the first tab stop.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();
    // A command chosen from the window menu; the default carries out the window's own commands
    // (minimise, close, …).
    virtual void OnSysCommand(unsigned nID, long lParam);

    // The message map: what a button's click and a control's notification run.
    void mapClicked(int nId, std::function<void()> handler);
    void mapNotify(int nId, int nCode, std::function<void(const NMHDR&, long*)> handler);

    void reject() override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#else
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
#endif

private:
    void createControls(const DialogTemplate& dialogTemplate);
    void onClicked(int nId);
    void onNotify(int nId, int nCode);

    const DialogTemplate& m_template;
    DialogBaseUnits m_units;
    QHash<int, QWidget*> m_items;
    QHash<int, std::function<void()>> m_clicked;
    QHash<QPair<int, int>, std::function<void(const NMHDR&, long*)>> m_notify;
    std::optional<CMenu> m_systemMenu;
#ifdef Q_OS_WIN
    bool m_bDefaultSysCommand = false;
#endif
};
