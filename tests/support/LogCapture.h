#pragma once

#include "base/Log.h"

#include <string>
#include <vector>

// Collects the log's lines of one level while it lives.
class LogCapture
{
public:
    explicit LogCapture(LogLevel level)
    {
        wanted() = level;
        texts().clear();
        setLogSink([](LogCategory, LogLevel level, std::string_view line) {
            if (level == wanted())
                texts().emplace_back(line);
        });
    }
    ~LogCapture() { setLogSink(nullptr); }

    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::vector<std::string>& lines() const { return texts(); }

private:
    static LogLevel& wanted()
    {
        static LogLevel level;
        return level;
    }
    static std::vector<std::string>& texts()
    {
        static std::vector<std::string> collected;
        return collected;
    }
};
