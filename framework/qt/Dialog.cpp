// CDialog on Qt: the window, its controls' texts, icon and window menu.
#include "DialogWindow.h"

#include "framework/DlgItemInt.h"
#include "framework/Resources.h"
#include "framework/SystemMenu.h"
#include "framework/WinApp.h"

#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {
// Marks a list whose own tip already follows the chosen entry.
constexpr char kTipsFollowChoice[] = "orvanelTipsFollowChoice";

QWidget* widgetOf(HWND hWnd)
{
    return reinterpret_cast<QWidget*>(hWnd);
}

// The owner of a dialog created without a parent: the application's main window, else the
// window that is modal now.
QWidget* defaultOwner(const CDialog& dialog)
{
    if (const CWinApp* app = AfxGetApp(); app && app->m_pMainWnd && app->m_pMainWnd != &dialog) {
        if (HWND main = app->m_pMainWnd->GetSafeHwnd())
            return widgetOf(main);
    }
    return QApplication::activeModalWidget();
}
} // namespace

CDialog::CDialog(int nIDTemplate, CDialog* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{}

CDialog::~CDialog() = default;

int CDialog::DoModal()
{
    QWidget* owner = m_pParentWnd ? widgetOf(m_pParentWnd->GetSafeHwnd()) : defaultOwner(*this);
    m_pWindow = std::make_unique<DialogWindow>(*this, dialogTemplate(m_nIDTemplate), owner);
    if (OnInitDialog())
        m_pWindow->focusFirstTabStop();
    const int result = m_pWindow->exec();
    m_pSystemMenu.reset();
    m_pWindow.reset();
    // The owner takes the activation back, as it does when Windows ends a dialog. Where no window
    // manager hands it back (offscreen, a bare X server), it would stay deaf to the keyboard.
    if (owner && owner->isVisible())
        owner->activateWindow();
    return result;
}

void CDialog::EndDialog(int nResult)
{
    if (m_pWindow)
        m_pWindow->done(nResult);
}

HWND CDialog::GetSafeHwnd() const
{
    return reinterpret_cast<HWND>(static_cast<QWidget*>(m_pWindow.get()));
}

bool CDialog::IsWindowVisible() const
{
    return m_pWindow && m_pWindow->isVisible();
}

HWND CDialog::GetDlgItem(int nID) const
{
    return m_pWindow ? reinterpret_cast<HWND>(m_pWindow->item(nID)) : nullptr;
}

int CDialog::GetDlgItemInt(int nID, bool* pTranslated) const
{
    const std::optional<int> value = parseDlgItemInt(GetDlgItemText(nID));
    if (pTranslated)
        *pTranslated = value.has_value();
    return value.value_or(0);
}

void CDialog::SetDlgItemInt(int nID, int nValue)
{
    SetDlgItemText(nID, std::to_string(nValue));
}

std::string CDialog::GetDlgItemText(int nID) const
{
    QWidget* widget = widgetOf(GetDlgItem(nID));
    QString text;
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        text = edit->text();
    else if (auto* button = qobject_cast<QPushButton*>(widget))
        text = button->text();
    else if (auto* label = qobject_cast<QLabel*>(widget))
        text = label->text();
    return text.toStdString();
}

void CDialog::SetDlgItemText(int nID, std::string_view text)
{
    QWidget* widget = widgetOf(GetDlgItem(nID));
    const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(qtext);
    else if (auto* button = qobject_cast<QPushButton*>(widget))
        button->setText(qtext);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(qtext);
}

int CDialog::AddListItem(int nID, std::string_view text)
{
    auto* list = qobject_cast<QComboBox*>(widgetOf(GetDlgItem(nID)));
    if (!list)
        return -1;
    list->addItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    return list->count() - 1;
}

void CDialog::SetListItemTip(int nID, int nIndex, std::string_view tip)
{
    auto* list = qobject_cast<QComboBox*>(widgetOf(GetDlgItem(nID)));
    if (!list || nIndex < 0 || nIndex >= list->count())
        return;
    list->setItemData(nIndex, QString::fromUtf8(tip.data(), static_cast<qsizetype>(tip.size())),
                      Qt::ToolTipRole);
    // Closed, the list shows the tip of the chosen entry.
    const auto showChosen = [list] {
        list->setToolTip(list->currentData(Qt::ToolTipRole).toString());
    };
    showChosen();
    if (!list->property(kTipsFollowChoice).toBool()) {
        QObject::connect(list, &QComboBox::currentIndexChanged, list, showChosen);
        list->setProperty(kTipsFollowChoice, true);
    }
}

void CDialog::EnableDlgItem(int nID, bool bEnable)
{
    if (QWidget* widget = widgetOf(GetDlgItem(nID)))
        widget->setEnabled(bEnable);
}

void CDialog::SetIcon(HICON hIcon, bool /*bBigIcon*/)
{
    // One window icon carries every size; the window system picks the big or small one.
    if (m_pWindow && hIcon)
        m_pWindow->setWindowIcon(*reinterpret_cast<const QIcon*>(hIcon));
}

CMenu* CDialog::GetSystemMenu(bool bRevert)
{
    QMenu* menu = m_pWindow ? m_pWindow->systemMenu(bRevert) : nullptr;
    if (!menu || bRevert) {
        m_pSystemMenu.reset();
        return nullptr;
    }
    if (!m_pSystemMenu || m_pSystemMenu->m_hMenu != reinterpret_cast<HMENU>(menu))
        m_pSystemMenu = std::make_unique<CMenu>(reinterpret_cast<HMENU>(menu));
    return m_pSystemMenu.get();
}

bool CDialog::SetTimer(unsigned nIDEvent, unsigned nElapse)
{
    return m_pWindow && m_pWindow->startDialogTimer(nIDEvent, nElapse);
}

void CDialog::OnSysCommand(unsigned nID, long /*lParam*/)
{
    if (!m_pWindow)
        return;
    switch (nID & 0xFFF0) {
    case SC_MINIMIZE:
        m_pWindow->showMinimized();
        break;
    case SC_CLOSE:
        m_pWindow->close();
        break;
    default:
        break;
    }
}
