#include "Diagnostics.h"

#include <array>
#include <cstddef>

#ifdef _WIN32
#include "win32/WindowsApi.h"
#endif

namespace {
#ifdef _WIN32
// On Windows the diagnostic lines go to the debugger output unless the program says otherwise.
void writeDebuggerOutput(const char* text)
{
    OutputDebugStringA(text);
}
std::array<TextSink, 3> g_sinks{writeDebuggerOutput, nullptr, nullptr};
#else
std::array<TextSink, 3> g_sinks{};
#endif
} // namespace

void setSerialTextSink(SerialText kind, TextSink sink)
{
    g_sinks[static_cast<std::size_t>(kind)] = sink;
}

void emitSerialText(SerialText kind, const char* text)
{
    if (TextSink sink = g_sinks[static_cast<std::size_t>(kind)])
        sink(text);
}
