#include "SerialTexts.h"

#include "framework/MessageBox.h"
#include "framework/Resources.h"
#include "framework/Trace.h"
#include "net/Warnings.h"
#include "res/resource.h"
#include "serial/Diagnostics.h"

void installSerialTextSinks()
{
    setSerialTextSink(SerialText::Diagnostic, [](const char* text) {
        AfxTrace(TraceLevel::Debug, kSerialLogCategory, text);
    });
    setSerialTextSink(SerialText::Warning, [](const char* text) {
        AfxTrace(TraceLevel::Warning, kSerialLogCategory, text);
    });
    setSerialTextSink(SerialText::PortAlreadyOpen,
                      [](const char*) { AfxMessageBox(loadString(IDS_PORT_ALREADY_OPEN)); });
    setNetworkWarningSink(
        [](const char* text) { AfxTrace(TraceLevel::Warning, kNetworkLogCategory, text); });
}
