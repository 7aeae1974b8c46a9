#pragma once

#include <QFont>
#include <QRect>

// The pixels per 4 horizontal and per 8 vertical dialog units of a dialog font.
struct DialogBaseUnits
{
    int x = 0; // average width of the Latin letters
    int y = 0; // height of the font
};

// The font named by a template, or the system's Chinese font where that one is not installed.
QFont dialogFont(const char* face, int pointSize);

DialogBaseUnits dialogBaseUnits(const QFont& font);

// A rectangle in dialog units as pixels.
QRect mapDialogRect(const DialogBaseUnits& units, int x, int y, int cx, int cy);
