#pragma once

// <windows.h> and the common controls, as the Win32 backend uses them next to the framework's
// headers. Those headers model Windows and use its names: the styles and ids of dialog templates
// (WS_POPUP, IDOK, …), NMHDR, and members called AppendMenu, GetDlgItemText and SetDlgItemText.
// The Windows headers define the same names as macros, or NMHDR as a type of their own; here the
// macros are removed and the Windows NMHDR is renamed Win32Nmhdr, so both sets of headers can be
// included in any order. The framework's constants carry the Windows values.
#define NMHDR Win32Nmhdr
#include "base/win32/WindowsApi.h"

#include <commctrl.h>
#undef NMHDR

#undef WS_POPUP
#undef WS_VISIBLE
#undef WS_CAPTION
#undef WS_BORDER
#undef WS_SYSMENU
#undef WS_GROUP
#undef WS_MINIMIZEBOX
#undef WS_TABSTOP
#undef WS_VSCROLL
#undef DS_MODALFRAME
#undef DS_SETFONT
#undef WS_EX_APPWINDOW
#undef BS_DEFPUSHBUTTON
#undef ES_AUTOHSCROLL
#undef SS_NOPREFIX
#undef SS_ICON
#undef TBS_VERT
#undef TBS_BOTH
#undef TBS_NOTICKS
#undef CBS_DROPDOWNLIST
#undef IDOK
#undef IDCANCEL
#undef CB_ADDSTRING
#undef NM_CUSTOMDRAW
#undef BN_CLICKED
#undef CBN_SELCHANGE
#undef CDRF_DODEFAULT
#undef MB_OK
#undef MF_STRING
#undef MF_SEPARATOR
#undef SC_MINIMIZE
#undef SC_CLOSE
#undef AppendMenu
#undef GetDlgItemText
#undef SetDlgItemText

// The framework's definitions of the names removed above.
#include "framework/Dialog.h"
#include "framework/DialogTemplate.h"
#include "framework/MessageBox.h"
#include "framework/SystemMenu.h"
