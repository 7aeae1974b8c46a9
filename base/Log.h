#pragma once

#include <string_view>

// The program's log, for whoever reads it: lines by category and level. Nothing is written until
// the program installs its sink.
enum class LogCategory
{
    Serial,  // the serial link and the interfaces on it
    Network, // the network outputs
};

enum class LogLevel
{
    Debug,   // off unless the operator turns it on
    Info,    // what the interface said of itself
    Warning, // something the operator may have to act on
};

// The category's name in the log: "orvanel.serial", "orvanel.network".
const char* logCategoryName(LogCategory category);

using LogSink = void (*)(LogCategory category, LogLevel level, std::string_view line);

// Installs sink; nullptr writes nothing.
void setLogSink(LogSink sink);
void writeLog(LogCategory category, LogLevel level, std::string_view line);
