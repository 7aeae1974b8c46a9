#pragma once

#include "DialogTemplate.h"

#include <QString>

class QWidget;

inline constexpr unsigned MB_OK = 0;

// What shows a message box: returns the button that closed it. owner is the window the box is
// modal to, null when no window is active.
using MessageBoxFunction = int (*)(QWidget* owner, const QString& caption, const QString& text);

// Shows text in an OK-only box with the warning icon, captioned with the application's name and
// modal to the active window. Returns IDOK.
int AfxMessageBox(const QString& text, unsigned nType = MB_OK);

// Replaces what shows the boxes (for tests); nullptr restores the real box. Returns the previous
// function, nullptr for the real box.
MessageBoxFunction setMessageBoxFunction(MessageBoxFunction function);
