#pragma once

// Winsock 2 with <windows.h>, as the network backend uses them. <winsock2.h> must come first:
// <windows.h> otherwise brings in the old <winsock.h>, whose declarations clash with it. Without
// the rarely used parts of <windows.h> and without the min/max macros that break the standard
// library.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <winsock2.h>

#include <windows.h>
