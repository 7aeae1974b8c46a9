#pragma once

// Opaque handles of the platform's objects. They are declared as the Windows headers declare
// them, so the Win32 backend uses its own handles as they are; the Qt backend points them at its
// widgets, menus and icons.
struct HWND__;
struct HMENU__;
struct HICON__;
using HWND = HWND__*;   // a window or control
using HMENU = HMENU__*; // a menu
using HICON = HICON__*; // an icon with all its sizes
