#pragma once

#include <string_view>

enum class TraceLevel
{
    Debug,   // off unless the operator turns it on
    Info,    // on by default
    Warning, // on by default
};

// Writes one line of the program's diagnostics in the platform's way: the debugger output on
// Windows, the logging category of that name elsewhere (its debug level off by default).
void AfxTrace(TraceLevel level, const char* category, std::string_view line);
