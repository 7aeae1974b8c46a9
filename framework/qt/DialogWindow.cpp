#include "DialogWindow.h"

#include "TrackBar.h"

#include "framework/Resources.h"
#include "framework/SystemMenu.h"
#include "framework/WinApp.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimerEvent>

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

QWidget* createControl(const ControlTemplate& c, QWidget* parent)
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
        if (HICON icon = AfxLoadIcon(text.toInt())) {
            const QIcon& image = *reinterpret_cast<const QIcon*>(icon);
            picture->setPixmap(image.pixmap(32, 32));
        }
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

DialogWindow::DialogWindow(CDialog& dialog, const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent, templateWindowFlags(dialogTemplate)), m_dialog(dialog),
      m_template(dialogTemplate)
{
    createControls();
    runInitData();
}

CDialog* DialogWindow::dialogOf(const QWidget* window)
{
    const auto* dialogWindow = qobject_cast<const DialogWindow*>(window);
    return dialogWindow ? &dialogWindow->m_dialog : nullptr;
}

void DialogWindow::createControls()
{
    setWindowTitle(QString::fromUtf8(m_template.caption));
    setModal(true);
    const QFont font = dialogFont(m_template.fontFace, m_template.pointSize);
    setFont(font);
    m_units = dialogBaseUnits(font);
    setFixedSize(mapDialogRect(m_units, 0, 0, m_template.cx, m_template.cy).size());

    for (const ControlTemplate& c : m_template.controls) {
        QWidget* widget = createControl(c, this);
        const QRect rect = mapDialogRect(m_units, c.x, c.y, c.cx, c.cy);
        if (c.kind == ControlKind::Icon)
            widget->setGeometry(QRect(rect.topLeft(), widget->sizeHint())); // the icon's size
        else
            widget->setGeometry(rect);
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
            connect(button, &QPushButton::clicked, this,
                    [this, id] { m_dialog.OnCommand(id, BN_CLICKED); });
        else if (auto* list = qobject_cast<QComboBox*>(widget))
            connect(list, &QComboBox::activated, this,
                    [this, id] { m_dialog.OnCommand(id, CBN_SELCHANGE); });
        else if (auto* trackBar = qobject_cast<TrackBar*>(widget))
            connect(trackBar, &TrackBar::painted, this,
                    [this, id] { m_dialog.OnNotify(id, NM_CUSTOMDRAW); });
    }
}

void DialogWindow::runInitData()
{
    for (const DlgInitEntry& entry : dialogInitData(m_template.id)) {
        auto* list = qobject_cast<QComboBox*>(item(entry.id));
        Q_ASSERT_X(list && entry.message == CB_ADDSTRING, "DialogWindow",
                   "initial data for a control that takes none");
        if (list && entry.message == CB_ADDSTRING)
            list->addItem(QString::fromUtf8(entry.text));
    }
}

void DialogWindow::focusFirstTabStop()
{
    for (const ControlTemplate& c : m_template.controls) {
        QWidget* widget = item(c.id);
        if (widget && (c.style & WS_TABSTOP) && widget->isEnabled()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

QMenu* DialogWindow::systemMenu(bool revert)
{
    if (!(m_template.style & WS_SYSMENU))
        return nullptr;
    if (revert && m_systemMenu) {
        delete m_systemMenu;
        m_systemMenu = nullptr;
    }
    if (!m_systemMenu) {
        m_systemMenu = new QMenu(this);
        connect(m_systemMenu, &QMenu::triggered, this,
                [this](QAction* action) { m_dialog.OnSysCommand(action->data().toUInt(), 0); });
        const auto addCommand = [this](unsigned id, int textId) {
            m_systemMenu->addAction(QString::fromStdString(loadString(textId)))->setData(id);
        };
        if (m_template.style & WS_MINIMIZEBOX)
            addCommand(SC_MINIMIZE, AFX_IDS_SCMINIMIZE);
        addCommand(SC_CLOSE, AFX_IDS_SCCLOSE);
    }
    return m_systemMenu;
}

bool DialogWindow::startDialogTimer(unsigned id, unsigned intervalMs)
{
    if (const auto running = m_timers.find(id); running != m_timers.end()) {
        killTimer(running.value());
        m_timers.erase(running);
    }
    // Precise: the default coarse timers may fire 5 % late, and what runs on them keeps to
    // deadlines.
    const int timer = startTimer(std::chrono::milliseconds(intervalMs), Qt::PreciseTimer);
    if (timer == 0)
        return false;
    m_timers.insert(id, timer);
    return true;
}

void DialogWindow::timerEvent(QTimerEvent* event)
{
    for (auto timer = m_timers.cbegin(); timer != m_timers.cend(); ++timer) {
        if (timer.value() == event->timerId()) {
            m_dialog.OnTimer(timer.key());
            return;
        }
    }
    QDialog::timerEvent(event);
}

void DialogWindow::reject()
{
    // Esc, the close box and the window manager's close arrive here, as Cancel.
    m_dialog.OnCommand(IDCANCEL, BN_CLICKED);
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event)
{
    if (QMenu* menu = systemMenu(false))
        menu->popup(event->globalPos());
}

void DialogWindow::keyPressEvent(QKeyEvent* event)
{
    // Shift+F10 opens the context menu from the keyboard, as the Menu key does.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        QWidget* anchor = focusWidget() ? focusWidget() : this;
        QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(),
                                    anchor->mapToGlobal(anchor->rect().center()));
        contextMenuEvent(&menuEvent);
        return;
    }
    QDialog::keyPressEvent(event);
}
