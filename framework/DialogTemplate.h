#pragma once

#include <cstdint>
#include <span>

// Styles as dialog templates carry them, with the values of the Windows resource format.
inline constexpr uint32_t WS_POPUP = 0x80000000;
inline constexpr uint32_t WS_VISIBLE = 0x10000000;
inline constexpr uint32_t WS_CAPTION = 0x00C00000;
inline constexpr uint32_t WS_BORDER = 0x00800000;
inline constexpr uint32_t WS_SYSMENU = 0x00080000;
inline constexpr uint32_t WS_GROUP = 0x00020000;
inline constexpr uint32_t WS_MINIMIZEBOX = 0x00020000; // windows only; WS_GROUP on controls
inline constexpr uint32_t WS_TABSTOP = 0x00010000;
inline constexpr uint32_t WS_VSCROLL = 0x00200000;
inline constexpr uint32_t DS_MODALFRAME = 0x00000080;
inline constexpr uint32_t DS_SETFONT = 0x00000040;
inline constexpr uint32_t WS_EX_APPWINDOW = 0x00040000;
inline constexpr uint32_t BS_DEFPUSHBUTTON = 0x00000001;
inline constexpr uint32_t ES_AUTOHSCROLL = 0x00000080;
inline constexpr uint32_t SS_NOPREFIX = 0x00000080;
inline constexpr uint32_t SS_ICON = 0x00000003;
inline constexpr uint32_t TBS_VERT = 0x00000002;
inline constexpr uint32_t TBS_BOTH = 0x00000008;
inline constexpr uint32_t TBS_NOTICKS = 0x00000010;
inline constexpr uint32_t CBS_DROPDOWNLIST = 0x00000003;

// The ids of the standard buttons, which are also the results of a modal run they end.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
// The id of controls that nobody addresses.
inline constexpr int IDC_STATIC = -1;

enum class ControlKind
{
    PushButton,
    Edit,
    Static,
    TrackBar,
    // A list to choose from, not editable; its template height is that of the open list.
    DropDownList,
    Icon, // a static picture that sizes itself to its icon; its text is the icon's id, e.g. "128"
};

// One control of a dialog; position and size in dialog units.
struct ControlTemplate
{
    int id;
    ControlKind kind;
    const char* text; // UTF-8
    int x, y, cx, cy;
    uint32_t style;
};

// A dialog: its frame, font and controls. The controls' order is their creation and tab order.
struct DialogTemplate
{
    int id;
    const char* caption; // UTF-8
    int cx, cy;          // client area in dialog units
    const char* fontFace;
    int pointSize;
    uint32_t style;
    uint32_t exStyle;
    std::span<const ControlTemplate> controls;
};

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
