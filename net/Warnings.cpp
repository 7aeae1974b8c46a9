#include "Warnings.h"

namespace {
NetworkWarningSink g_sink = nullptr;
}

void setNetworkWarningSink(NetworkWarningSink sink)
{
    g_sink = sink;
}

void emitNetworkWarning(const std::string& text)
{
    if (g_sink)
        g_sink(text.c_str());
}
