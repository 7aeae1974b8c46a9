// The window menu where the window manager keeps its own: the dialog's context menu.
#include "Dialog.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

bool CMenu::AppendMenu(unsigned nFlags, unsigned nIDNewItem, const QString& text)
{
    if (nFlags & MF_SEPARATOR)
        m_menu->addSeparator();
    else
        m_menu->addAction(text)->setData(nIDNewItem);
    return true;
}

CMenu* CDialog::GetSystemMenu(bool bRevert)
{
    if (!(m_template.style & WS_SYSMENU))
        return nullptr;
    if (bRevert && m_systemMenu) {
        delete m_systemMenu->menu();
        m_systemMenu.reset();
    }
    if (!m_systemMenu) {
        auto* menu = new QMenu(this);
        connect(menu, &QMenu::triggered, this,
                [this](QAction* action) { OnSysCommand(action->data().toUInt(), 0); });
        m_systemMenu.emplace(menu);
        if (m_template.style & WS_MINIMIZEBOX)
            m_systemMenu->AppendMenu(MF_STRING, SC_MINIMIZE, QStringLiteral("最小化(&N)"));
        m_systemMenu->AppendMenu(MF_STRING, SC_CLOSE, QStringLiteral("关闭(&C)\tAlt+F4"));
    }
    return bRevert ? nullptr : &*m_systemMenu;
}

void CDialog::OnSysCommand(unsigned nID, long /*lParam*/)
{
    switch (nID & 0xFFF0) {
    case SC_MINIMIZE:
        showMinimized();
        break;
    case SC_CLOSE:
        close();
        break;
    default:
        break;
    }
}

void CDialog::contextMenuEvent(QContextMenuEvent* event)
{
    if (CMenu* menu = GetSystemMenu(false))
        menu->menu()->popup(event->globalPos());
}

void CDialog::keyPressEvent(QKeyEvent* event)
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
