#pragma once

#include "WindowsApi.h"

// What shows the framework's message boxes at the bottom: MessageBoxW, which a test may replace
// to see what the box would be given.
using MessageBoxWFunction = int(WINAPI*)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// Replaces MessageBoxW; nullptr restores it. Returns the previous function, nullptr for
// MessageBoxW.
MessageBoxWFunction setMessageBoxWFunction(MessageBoxWFunction function);
