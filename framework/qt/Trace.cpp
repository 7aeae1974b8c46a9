#include "framework/Trace.h"

#include <QLoggingCategory>
#include <QString>

#include <map>
#include <memory>
#include <string>

namespace {
// A logging category per name, made on first use, with its debug level off until the rules
// (QT_LOGGING_RULES, say) turn it on.
QLoggingCategory& category(const char* name)
{
    static std::map<std::string, std::unique_ptr<QLoggingCategory>> categories;
    const auto [it, inserted] = categories.try_emplace(name);
    if (inserted)
        it->second = std::make_unique<QLoggingCategory>(it->first.c_str(), QtInfoMsg);
    return *it->second;
}
} // namespace

void AfxTrace(TraceLevel level, const char* categoryName, std::string_view line)
{
    // Lines may begin or end with a line feed; the log adds its own.
    const QString text =
        QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())).trimmed();
    QLoggingCategory& cat = category(categoryName);
    switch (level) {
    case TraceLevel::Debug:
        qCDebug(cat).noquote() << text;
        break;
    case TraceLevel::Info:
        qCInfo(cat).noquote() << text;
        break;
    case TraceLevel::Warning:
        qCWarning(cat).noquote() << text;
        break;
    }
}
