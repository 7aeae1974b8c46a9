// Message boxes on Win32: MessageBoxW, modal to the dialog on screen.
#include "WindowsApi.h"

#include "DialogWindow.h"
#include "PlatformMessageBox.h"
#include "Utf16.h"

#include "framework/Backend.h"

#include <utility>

namespace {
MessageBoxWFunction g_messageBoxW = nullptr;
} // namespace

MessageBoxWFunction setMessageBoxWFunction(MessageBoxWFunction function)
{
    return std::exchange(g_messageBoxW, function);
}

HWND activeWindowForMessageBox()
{
    if (const CDialog* dialog = DialogWindow::active())
        return dialog->GetSafeHwnd();
    return GetActiveWindow();
}

int showPlatformMessageBox(const MessageBoxRequest& request)
{
    const std::string text =
        request.detail.empty() ? request.text : request.text + "\n\n" + request.detail;
    const MessageBoxWFunction show = g_messageBoxW ? g_messageBoxW : &MessageBoxW;
    return show(request.owner, toUtf16(text).c_str(), toUtf16(request.caption).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}
