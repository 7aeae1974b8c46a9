#pragma once

#include <span>

class CDialog;

// The message of an initial-data entry that appends its text to a drop-down list.
inline constexpr int CB_ADDSTRING = 0x0143;

// One entry of a dialog's initial data: a message that the dialog sends to one of its controls
// as it is created, carrying a text.
struct DlgInitEntry
{
    int id;
    int message;
    const char* text; // UTF-8
};

// Sends the entries, in order, to the dialog's controls. An entry for a control the dialog does
// not have, or with a message other than CB_ADDSTRING, is a fault of the build.
void ExecuteDlgInit(CDialog& dialog, std::span<const DlgInitEntry> entries);
