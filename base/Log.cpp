#include "Log.h"

namespace {
LogSink g_sink = nullptr;
}

const char* logCategoryName(LogCategory category)
{
    return category == LogCategory::Serial ? "orvanel.serial" : "orvanel.network";
}

void setLogSink(LogSink sink)
{
    g_sink = sink;
}

void writeLog(LogCategory category, LogLevel level, std::string_view line)
{
    if (g_sink)
        g_sink(category, level, line);
}
