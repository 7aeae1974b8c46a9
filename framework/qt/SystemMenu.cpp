// The window menu where the window manager keeps its own: the dialog's context menu.
#include "framework/SystemMenu.h"

#include <QMenu>

bool CMenu::AppendMenu(unsigned nFlags, unsigned nIDNewItem, std::string_view text)
{
    auto* menu = reinterpret_cast<QMenu*>(m_hMenu);
    if (nFlags & MF_SEPARATOR)
        menu->addSeparator();
    else
        menu->addAction(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())))
            ->setData(nIDNewItem);
    return true;
}
