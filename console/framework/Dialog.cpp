#include "Dialog.h"

#include "DataExchange.h"
#include "DlgItemInt.h"
#include "MessageBox.h"
#include "TrackBar.h"

#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {
Qt::WindowFlags templateWindowFlags(const DialogTemplate& t)
{
    // A window of its own shows in the task bar; a dialog window belongs to its owner.
    Qt::WindowFlags flags = (t.exStyle & WS_EX_APPWINDOW) ? Qt::Window : Qt::Dialog;
    flags |= Qt::CustomizeWindowHint;
    if ((t.style & WS_CAPTION) == WS_CAPTION)
        flags |= Qt::WindowTitleHint;
    if (t.style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (t.style & WS_MINIMIZEBOX)
        flags |= Qt::WindowMinimizeButtonHint;
    return flags;
}

QWidget* createControl(const ControlTemplate& c, const DialogTemplate& t, QWidget* parent)
{
    const QString text = QString::fromUtf8(c.text ? c.text : "");
    switch (c.kind) {
    case ControlKind::PushButton: {
        auto* button = new QPushButton(text, parent);
        button->setDefault(c.style & BS_DEFPUSHBUTTON);
        return button;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(text, parent);
        edit->setFrame(c.style & WS_BORDER);
        return edit;
    }
    case ControlKind::Static: {
        auto* label = new QLabel(text, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case ControlKind::TrackBar:
        // The template text of a trackbar is not shown.
        return new TrackBar(parent);
    case ControlKind::DropDownList:
        // The entries come from the dialog's initial data, in the order given.
        return new QComboBox(parent);
    case ControlKind::Icon: {
        auto* picture = new QLabel(parent);
        if (t.loadIcon)
            picture->setPixmap(t.loadIcon(text.toInt()).pixmap(32, 32));
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return picture;
    }
    }
    return nullptr;
}

// A drop-down list's template height is that of the open list; closed, it is one line high.
void fitDropDownList(QComboBox* list)
{
    const int openHeight = list->height();
    const int closedHeight = std::min(list->sizeHint().height(), openHeight);
    list->resize(list->width(), closedHeight);
    const int lineHeight = std::max(1, list->fontMetrics().height());
    list->setMaxVisibleItems(std::max(1, (openHeight - closedHeight) / lineHeight));
}
} // namespace

CDialog::CDialog(const DialogTemplate& dialogTemplate, QWidget* pParent)
    : QDialog(pParent, templateWindowFlags(dialogTemplate)), m_template(dialogTemplate)
{
    createControls(dialogTemplate);
}

void CDialog::createControls(const DialogTemplate& t)
{
    setWindowTitle(QString::fromUtf8(t.caption));
    setModal(true);
    const QFont font = dialogFont(t.fontFace, t.pointSize);
    setFont(font);
    m_units = dialogBaseUnits(font);
    setFixedSize(mapDialogRect(m_units, 0, 0, t.cx, t.cy).size());

    for (const ControlTemplate& c : t.controls) {
        QWidget* widget = createControl(c, t, this);
        widget->setGeometry(mapDialogRect(m_units, c.x, c.y, c.cx, c.cy));
        if (auto* list = qobject_cast<QComboBox*>(widget))
            fitDropDownList(list);
        if (c.kind != ControlKind::Static && c.kind != ControlKind::Icon)
            widget->setFocusPolicy((c.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
        if (c.id == IDC_STATIC)
            continue;
        widget->setObjectName(QString::number(c.id));
        m_items.insert(c.id, widget);
        const int id = c.id;
        if (auto* button = qobject_cast<QPushButton*>(widget))
            connect(button, &QPushButton::clicked, this, [this, id] { onClicked(id); });
        else if (auto* trackBar = qobject_cast<TrackBar*>(widget))
            connect(trackBar, &TrackBar::painted, this,
                    [this, id] { onNotify(id, NM_CUSTOMDRAW); });
    }
}

int CDialog::DoModal()
{
    if (OnInitDialog()) {
        for (const ControlTemplate& c : m_template.controls) {
            QWidget* widget = GetDlgItem(c.id);
            if (widget && (c.style & WS_TABSTOP) && widget->isEnabled()) {
                widget->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
    return exec();
}

void CDialog::EndDialog(int nResult)
{
    done(nResult);
}

QWidget* CDialog::GetDlgItem(int nId) const
{
    return m_items.value(nId);
}

int CDialog::GetDlgItemInt(int nId, bool* pTranslated) const
{
    const std::optional<int> value = parseDlgItemInt(GetDlgItemText(nId));
    if (pTranslated)
        *pTranslated = value.has_value();
    return value.value_or(0);
}

void CDialog::SetDlgItemInt(int nId, int nValue)
{
    SetDlgItemText(nId, QString::number(nValue));
}

QString CDialog::GetDlgItemText(int nId) const
{
    QWidget* widget = GetDlgItem(nId);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* button = qobject_cast<QPushButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    return {};
}

void CDialog::SetDlgItemText(int nId, const QString& text)
{
    QWidget* widget = GetDlgItem(nId);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(text);
    else if (auto* button = qobject_cast<QPushButton*>(widget))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
}

bool CDialog::UpdateData(bool bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

void CDialog::SetIcon(const QIcon& icon, bool /*bBigIcon*/)
{
    // One window icon carries every size; the window system picks the big or small one.
    setWindowIcon(icon);
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK()
{
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::mapClicked(int nId, std::function<void()> handler)
{
    m_clicked.insert(nId, std::move(handler));
}

void CDialog::mapNotify(int nId, int nCode, std::function<void(const NMHDR&, long*)> handler)
{
    m_notify.insert({nId, nCode}, std::move(handler));
}

void CDialog::reject()
{
    OnCancel();
}

void CDialog::onClicked(int nId)
{
    // Handlers are copied out: one may run a loop that dispatches further events.
    if (const auto it = m_clicked.constFind(nId); it != m_clicked.constEnd())
        std::function<void()>(it.value())();
    else if (nId == IDOK)
        OnOK();
    else if (nId == IDCANCEL)
        OnCancel();
}

void CDialog::onNotify(int nId, int nCode)
{
    const auto it = m_notify.constFind({nId, nCode});
    if (it == m_notify.constEnd())
        return;
    const NMHDR header{nId, nCode};
    long result = CDRF_DODEFAULT;
    std::function<void(const NMHDR&, long*)>(it.value())(header, &result);
}
