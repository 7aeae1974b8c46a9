#include "WindowsApi.h"

#include "framework/Trace.h"

#include <cstdio>
#include <string>

void AfxTrace(TraceLevel level, const char* category, std::string_view line)
{
    // The debugger output takes the line as it is: lines that start with a line feed keep it.
    OutputDebugStringA(std::string(line).c_str());
    if (level == TraceLevel::Debug)
        return;
    // stderr gets one line per call, without the line feeds around the text.
    const size_t first = line.find_first_not_of("\r\n");
    const size_t last = line.find_last_not_of("\r\n");
    const std::string_view text =
        first == std::string_view::npos ? std::string_view() : line.substr(first, last - first + 1);
    std::fprintf(stderr, "%s: %.*s\n", category, static_cast<int>(text.size()), text.data());
}
