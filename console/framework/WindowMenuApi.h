#pragma once

#include <cstdint>

// The few calls of the Windows window menu, kept behind plain types so that <windows.h>, whose
// macros clash with the framework's names, stays in one source file.
void* windowSystemMenu(uintptr_t window, bool revert);
bool appendToWindowMenu(void* menu, unsigned flags, unsigned id, const char16_t* text);
// True when message is a WM_SYSCOMMAND, with its command id and parameter.
bool readSystemCommand(const void* message, unsigned& id, long& parameter);
