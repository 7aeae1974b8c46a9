#pragma once

#include "base/Log.h"

#include <string>
#include <vector>

// Collects the log's lines of one category and level while it lives.
class LogCapture
{
public:
    LogCapture(LogCategory category, LogLevel level)
    {
        filter() = {category, level};
        texts().clear();
        setLogSink([](LogCategory category, LogLevel level, std::string_view line) {
            if (filter().category == category && filter().level == level)
                texts().emplace_back(line);
        });
    }
    ~LogCapture() { setLogSink(nullptr); }

    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::vector<std::string>& lines() const { return texts(); }

private:
    struct Filter
    {
        LogCategory category;
        LogLevel level;
    };

    static Filter& filter()
    {
        static Filter wanted;
        return wanted;
    }
    static std::vector<std::string>& texts()
    {
        static std::vector<std::string> collected;
        return collected;
    }
};
