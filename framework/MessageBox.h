#pragma once

#include "Handles.h"

#include <string>

inline constexpr unsigned MB_OK = 0;

// A message box as it is to be shown. The owner is the window the box is modal to, null when
// no window of the program is active.
struct MessageBoxRequest
{
    HWND owner;
    std::string caption;
    std::string text;
    std::string detail; // a further explanation below the text; may be empty
};

// What shows a message box: returns the button that closed it.
using MessageBoxFunction = int (*)(const MessageBoxRequest& request);

// Shows text, and below it detail, in an OK-only box with the warning icon, captioned with the
// application's name and modal to the active window. Returns IDOK.
int AfxMessageBox(const std::string& text, unsigned nType = MB_OK, const std::string& detail = {});

// Replaces what shows the boxes (for tests); nullptr restores the real box. Returns the previous
// function, nullptr for the real box.
MessageBoxFunction setMessageBoxFunction(MessageBoxFunction function);
