#pragma once

#include "Handles.h"

#include <string_view>

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
    explicit CMenu(HMENU hMenu) : m_hMenu(hMenu) {}

    // Appends a separator (MF_SEPARATOR) or an item with the given id and text (MF_STRING).
    bool AppendMenu(unsigned nFlags, unsigned nIDNewItem = 0, std::string_view text = {});

    HMENU m_hMenu;
};
