#include "MessageBox.h"

#include "Backend.h"
#include "DialogTemplate.h"
#include "WinApp.h"

#include <utility>

namespace {
MessageBoxFunction g_function = nullptr;
} // namespace

int AfxMessageBox(const std::string& text, unsigned /*nType*/, const std::string& detail)
{
    const MessageBoxRequest request{activeWindowForMessageBox(), AfxGetAppName(), text, detail};
    return g_function ? g_function(request) : showPlatformMessageBox(request);
}

MessageBoxFunction setMessageBoxFunction(MessageBoxFunction function)
{
    return std::exchange(g_function, function);
}
