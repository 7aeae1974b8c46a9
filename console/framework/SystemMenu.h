#pragma once

#include <QString>

#ifndef Q_OS_WIN
class QMenu;
#endif

inline constexpr unsigned MF_STRING = 0x0000;
inline constexpr unsigned MF_SEPARATOR = 0x0800;
// The window's own commands.
inline constexpr unsigned SC_MINIMIZE = 0xF020;
inline constexpr unsigned SC_CLOSE = 0xF060;

// A dialog's window menu; choosing an item runs the dialog's OnSysCommand with the item's id.
// On Windows it is the system menu of the window. X11 and Wayland keep that menu to the window
// manager, so there the dialog shows it as its context menu, with the window's own commands
// first.
class CMenu
{
public:
#ifdef Q_OS_WIN
    explicit CMenu(void* menu) : m_menu(menu) {}
#else
    explicit CMenu(QMenu* menu) : m_menu(menu) {}
    QMenu* menu() const
    {
        return m_menu;
    }
#endif

    // Appends a separator (MF_SEPARATOR) or an item with the given id and text (MF_STRING).
    bool AppendMenu(unsigned nFlags, unsigned nIDNewItem = 0, const QString& text = {});

private:
#ifdef Q_OS_WIN
    void* m_menu; // the window's HMENU
#else
    QMenu* m_menu;
#endif
};
