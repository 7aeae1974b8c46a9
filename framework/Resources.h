#pragma once

#include "DialogTemplate.h"

#include <cstdint>
#include <span>
#include <string>

// The program's resources. The program defines these functions (they are its resource section);
// the framework looks its dialogs, strings and icons up through them by id, as Windows looks up
// an executable's own resources.

// The dialog template with the given id; every id the program uses has one.
const DialogTemplate& dialogTemplate(int id);

// What the dialog with the given id puts into its controls as it is created; empty for a dialog
// without initial data.
std::span<const DlgInitEntry> dialogInitData(int id);

// The string with the given id from the string table (UTF-8); empty for an unknown id.
std::string loadString(int id);

// One image of an icon, size x size pixels row by row from the top, each 0xAARRGGBB with the
// colour premultiplied by alpha: ready to show, with nothing to decode.
struct IconImage
{
    int size;
    std::span<const uint32_t> pixels;
};

// The images of the icon with the given id, smallest first; empty for an unknown id. Where the
// platform keeps icons in the executable's own resources, it takes them from there instead.
std::span<const IconImage> iconImages(int id);

// The framework's own strings, which the program's string table supplies too.
inline constexpr int AFX_IDS_APP_DESCRIPTION = 0xE002;     // what the program does, for --help
inline constexpr int AFX_IDS_HELP_OPTION = 0xE003;         // what --help does
inline constexpr int AFX_IDS_UNEXPECTED_ARGUMENT = 0xE004; // %1: the argument
inline constexpr int AFX_IDS_VERSION_OPTION = 0xE005;      // what --version does
inline constexpr int AFX_IDS_UNKNOWN_OPTION = 0xE006;      // %1: the option's name
inline constexpr int AFX_IDS_MISSING_VALUE = 0xE007;       // %1: the option
inline constexpr int AFX_IDS_INVALID_VALUE = 0xE008; // %1: the option, %2: the value, %3: why not
inline constexpr int AFX_IDS_USAGE = 0xE009;         // %1: the program's name
inline constexpr int AFX_IDS_OPTIONS = 0xE00A;       // the heading of the options' list
inline constexpr int AFX_IDS_SCMINIMIZE = 0xEF01;    // window menu: minimise
inline constexpr int AFX_IDS_SCCLOSE = 0xEF06;       // window menu: close
inline constexpr int AFX_IDS_OK = 0xF001;            // the button of a message box
inline constexpr int AFX_IDP_PARSE_INT = 0xF110;     // the prompt for an integer
