#pragma once

// <windows.h> with Winsock 2, as the transports use them: without the rarely used parts of
// <windows.h> and without the min/max macros that break the standard library. <winsock2.h> comes
// first: <windows.h> otherwise brings in the old <winsock.h>, whose declarations clash with it.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <winsock2.h>

#include <windows.h>
