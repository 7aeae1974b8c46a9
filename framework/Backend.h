#pragma once

// What each backend of the framework provides to its shared part.

#include "Handles.h"
#include "MessageBox.h"

#include <string>

// The window a message box shown now would be modal to: the active modal dialog, else the
// active window; null when the program has none.
HWND activeWindowForMessageBox();

// Shows the box on screen and returns the button that closed it.
int showPlatformMessageBox(const MessageBoxRequest& request);

// The executable's file name without its directory and extension.
std::string executableBaseName();

// Shows what the command line asked for: on standard error when error, else on standard output.
void writeCommandLineText(const std::string& text, bool error);

class CDialog;

// Gives the field nID of dialog the focus with all its text selected, for the operator to type
// over what the data exchange refused.
void selectFieldForCorrection(CDialog& dialog, int nID);
