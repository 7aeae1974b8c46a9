#include "SerialTexts.h"

#include "framework/MessageBox.h"
#include "serial/Diagnostics.h"

Q_LOGGING_CATEGORY(lcSerial, "orvanel.serial", QtInfoMsg)

namespace {
// The serial link's lines may begin with a line feed; the log adds its own.
QString logLine(const char* text)
{
    return QString::fromUtf8(text).trimmed();
}
} // namespace

void installSerialTextSinks()
{
#ifndef _WIN32
    // On Windows the serial backend writes these lines to the debugger output itself.
    setSerialTextSink(SerialText::Diagnostic,
                      [](const char* text) { qCDebug(lcSerial).noquote() << logLine(text); });
#endif
    setSerialTextSink(SerialText::Warning,
                      [](const char* text) { qCWarning(lcSerial).noquote() << logLine(text); });
    setSerialTextSink(SerialText::OperatorMessage,
                      [](const char* text) { AfxMessageBox(QString::fromUtf8(text)); });
}
