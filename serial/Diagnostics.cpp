#include "Diagnostics.h"

#include <array>
#include <cstddef>

namespace {
std::array<TextSink, 3> g_sinks{};
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
