#include "OutputNotices.h"

#include "base/Log.h"
#include "framework/MessageBox.h"
#include "framework/Resources.h"
#include "framework/Trace.h"
#include "res/resource.h"
#include "serial/SerialPort.h"

namespace {
TraceLevel traceLevel(LogLevel level)
{
    switch (level) {
    case LogLevel::Debug:
        return TraceLevel::Debug;
    case LogLevel::Info:
        return TraceLevel::Info;
    case LogLevel::Warning:
        break;
    }
    return TraceLevel::Warning;
}
} // namespace

void installOutputNotices()
{
    setLogSink([](LogCategory category, LogLevel level, std::string_view line) {
        AfxTrace(traceLevel(level), logCategoryName(category), line);
    });
    setPortAlreadyOpenNotice([] { AfxMessageBox(loadString(IDS_PORT_ALREADY_OPEN)); });
}
