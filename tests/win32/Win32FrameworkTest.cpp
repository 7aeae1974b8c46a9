// What only the Win32 backend of the dialog framework does: dialogs made by the dialog manager from
// templates built in memory, the trackbars' paints as custom-draw notifications, icons in two
// sizes, Windows' own reading of numbers, the timer period and the parameters of MessageBoxW.
#include "framework/win32/WindowsApi.h"

#include "driver/Driver.h"
#include "framework/DlgItemInt.h"
#include "framework/Resources.h"
#include "framework/WinApp.h"
#include "framework/win32/PlatformMessageBox.h"
#include "framework/win32/TimerResolution.h"
#include "framework/win32/Utf16.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

bool runningUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::wstring className(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

const wchar_t* expectedClass(ControlKind kind)
{
    switch (kind) {
    case ControlKind::PushButton:
        return L"Button";
    case ControlKind::Edit:
        return L"Edit";
    case ControlKind::Static:
    case ControlKind::Icon:
        return L"Static";
    case ControlKind::TrackBar:
        return L"msctls_trackbar32";
    case ControlKind::DropDownList:
        return L"ComboBox";
    }
    return L"";
}

// A position and size, in pixels or dialog units.
struct Place
{
    LONG x, y, cx, cy;
};

// Where window is in its parent's client area.
Place placeOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// A place in dialog units as pixels; the dialog manager maps position and size each on its own.
Place inPixels(HWND dialog, Place units)
{
    RECT rect{units.x, units.y, units.cx, units.cy};
    MapDialogRect(dialog, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

class TemplateRoundTrip : public ::testing::TestWithParam<int>
{};

TEST_P(TemplateRoundTrip, WindowAndControlsAreTheTemplates)
{
    const DialogTemplate& t = dialogTemplate(GetParam());
    CDialog dlg(GetParam());
    driver::runModal(dlg, [&] {
        const HWND dialog = dlg.GetSafeHwnd();
        EXPECT_EQ(driver::text(dlg, 0), t.caption);
        const DWORD style = static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE));
        EXPECT_EQ(style & t.style, t.style);
        EXPECT_EQ(GetWindowLongW(dialog, GWL_EXSTYLE) & t.exStyle, t.exStyle);
        RECT client{};
        GetClientRect(dialog, &client);
        const Place size = inPixels(dialog, {0, 0, t.cx, t.cy});
        EXPECT_EQ(client.right, size.cx);
        EXPECT_EQ(client.bottom, size.cy);

        // Children in template order, which is the order of creation and of the tab stops.
        HWND child = GetWindow(dialog, GW_CHILD);
        HWND tabStop = GetNextDlgTabItem(dialog, nullptr, FALSE);
        size_t count = 0;
        for (const ControlTemplate& c : t.controls) {
            SCOPED_TRACE("control " + std::to_string(count) + ", id " + std::to_string(c.id));
            ASSERT_NE(child, nullptr);
            ++count;
            EXPECT_EQ(GetDlgCtrlID(child), c.id);
            EXPECT_EQ(className(child), expectedClass(c.kind));
            // A field's border becomes the sunken edge of the dialog's look, and a list's scroll
            // bar goes to its drop-down part.
            const DWORD childStyle = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
            const DWORD style = WS_CHILD | WS_VISIBLE | (c.style & ~(WS_BORDER | WS_VSCROLL));
            EXPECT_EQ(childStyle & style, style);
            if (c.style & WS_BORDER) {
                EXPECT_TRUE((childStyle & WS_BORDER) ||
                            (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
            }
            if (c.style & WS_TABSTOP) {
                EXPECT_EQ(tabStop, child);
                tabStop = GetNextDlgTabItem(dialog, tabStop, FALSE);
            }

            const Place place = placeOf(child);
            const Place expected = inPixels(dialog, {c.x, c.y, c.cx, c.cy});
            EXPECT_EQ(place.x, expected.x);
            EXPECT_EQ(place.y, expected.y);
            // An icon takes its icon's size, a closed drop-down list one line's height.
            if (c.kind == ControlKind::Icon) {
                EXPECT_EQ(place.cx, GetSystemMetrics(SM_CXICON));
                EXPECT_NE(SendMessageW(child, STM_GETICON, 0, 0), 0);
            } else {
                EXPECT_EQ(place.cx, expected.cx);
                if (c.kind != ControlKind::DropDownList) {
                    EXPECT_EQ(place.cy, expected.cy);
                }
            }
            child = GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_EQ(child, nullptr) << "a child that the template does not have";
        if (GetParam() == IDD_CONSOLE) {
            EXPECT_EQ(count, 27u);
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Dialogs, TemplateRoundTrip,
                         ::testing::Values(IDD_CONSOLE, IDD_PORT_SETTINGS, IDD_ABOUTBOX));

// A dialog on the console's template that counts the paints of the first trackbar, and asks the
// trackbar for all its custom-draw stages.
class PaintCountingDialog : public CDialog
{
public:
    PaintCountingDialog() : CDialog(IDD_CONSOLE)
    {
        mapNotify(IDC_SLIDER1, NM_CUSTOMDRAW, [this](const NMHDR& header, long* pResult) {
            EXPECT_EQ(header.idFrom, IDC_SLIDER1);
            ++paints;
            *pResult = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        });
    }

    int paints = 0;
};

TEST(Win32Dialog, TrackBarReportsEachPaintOnce)
{
    PaintCountingDialog dlg;
    driver::runModal(dlg, [&] {
        EXPECT_GE(dlg.paints, 1); // shown
        for (int repaint = 1; repaint <= 3; ++repaint) {
            const int before = dlg.paints;
            driver::repaint(dlg, IDC_SLIDER1);
            EXPECT_EQ(dlg.paints, before + 1);
        }
    });
}

int iconWidth(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

TEST(Win32Dialog, IconsComeInTheSystemsBigAndSmallSizes)
{
    const HICON icon = AfxLoadIcon(IDR_MAINFRAME);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(AfxLoadIcon(IDR_MAINFRAME), icon); // loaded once
    EXPECT_EQ(iconWidth(icon), GetSystemMetrics(SM_CXICON));
    for (const int absent : {0, -1, 99, 0x10000 + IDR_MAINFRAME})
        EXPECT_EQ(AfxLoadIcon(absent), nullptr) << absent;

    CDialog dlg(IDD_ABOUTBOX);
    driver::runModal(dlg, [&] {
        dlg.SetIcon(icon, true);
        dlg.SetIcon(icon, false);
        const HWND window = dlg.GetSafeHwnd();
        const auto big = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
        const auto small = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
        EXPECT_EQ(big, icon);
        ASSERT_NE(small, nullptr);
        EXPECT_EQ(iconWidth(small), GetSystemMetrics(SM_CXSMICON));
    });
}

TEST(Win32Dialog, FieldsAreReadByWindowsGetDlgItemInt)
{
    struct Case
    {
        const char* text;
        std::optional<int> value;
    };
    // Windows reads a leading minus and skips leading blanks, as parseDlgItemInt does.
    const Case agreed[] = {
        {"200", 200},       {"0", 0},    {"-1", -1},          {"  42", 42},
        {"", std::nullopt}, {"abc", {}}, {"-", std::nullopt}, {"2147483647", 2147483647},
    };
    CDialog dlg(IDD_PORT_SETTINGS);
    driver::runModal(dlg, [&] {
        const auto read = [&](const char* text) {
            dlg.SetDlgItemText(IDC_BAUD, text);
            bool translated = true;
            const int value = dlg.GetDlgItemInt(IDC_BAUD, &translated);
            return translated ? std::optional<int>(value) : std::nullopt;
        };
        for (const Case& c : agreed) {
            EXPECT_EQ(read(c.text), c.value) << '"' << c.text << '"';
            EXPECT_EQ(parseDlgItemInt(c.text), c.value) << '"' << c.text << '"';
        }
        // Windows refuses trailing letters; wine stops reading at them.
        EXPECT_EQ(read("12abc"), runningUnderWine() ? std::optional(12) : std::nullopt);

        dlg.SetDlgItemInt(IDC_BAUD, -250000);
        EXPECT_EQ(driver::text(dlg, IDC_BAUD), "-250000");
    });
    // Without a running dialog there is no field to read.
    bool translated = true;
    EXPECT_EQ(dlg.GetDlgItemInt(IDC_BAUD, &translated), 0);
    EXPECT_FALSE(translated);
}

std::vector<std::string>* g_calls = nullptr;

unsigned recordBeginPeriod(unsigned periodMs)
{
    g_calls->push_back("begin(" + std::to_string(periodMs) + ")");
    return 0;
}

unsigned recordEndPeriod(unsigned periodMs)
{
    g_calls->push_back("end(" + std::to_string(periodMs) + ")");
    return 0;
}

class RecordingApp : public CWinApp
{
public:
    bool InitInstance() override
    {
        g_calls->push_back("InitInstance");
        return false;
    }
};

TEST(Win32WinMain, HoldsAOneMillisecondTimerPeriodWhileTheApplicationRuns)
{
    std::vector<std::string> calls;
    g_calls = &calls;
    const TimerPeriodCalls previous = setTimerPeriodCalls({recordBeginPeriod, recordEndPeriod});
    {
        RecordingApp app;
        EXPECT_EQ(AfxWinMain(0, nullptr, "1.0.0.1"), 0);
    }
    setTimerPeriodCalls(previous);
    g_calls = nullptr;
    EXPECT_EQ(calls, (std::vector<std::string>{"begin(1)", "InitInstance", "end(1)"}));
}

struct ShownBox
{
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT type;
};
std::vector<ShownBox> g_boxes;

int WINAPI recordMessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    g_boxes.push_back({owner, text, caption, type});
    return IDOK;
}

TEST(Win32MessageBox, IsAnOkOnlyWarningCaptionedWithTheExecutablesName)
{
    g_boxes.clear();
    const MessageBoxWFunction previous = setMessageBoxWFunction(recordMessageBoxW);
    EXPECT_EQ(AfxMessageBox("打开串口失败！"), IDOK);
    AfxMessageBox("打开串口失败！", MB_OK, "COM1: 拒绝访问");
    CDialog dlg(IDD_ABOUTBOX);
    HWND shownDialog = nullptr;
    driver::runModal(dlg, [&] {
        shownDialog = dlg.GetSafeHwnd();
        AfxMessageBox("while a dialog runs");
    });
    setMessageBoxWFunction(previous);

    ASSERT_EQ(g_boxes.size(), 3u);
    for (const ShownBox& box : g_boxes) {
        EXPECT_EQ(box.caption, L"orvanel_win32_framework_tests");
        EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    }
    EXPECT_EQ(g_boxes[0].text, L"打开串口失败！");
    EXPECT_EQ(g_boxes[0].owner, nullptr);
    EXPECT_EQ(g_boxes[1].text, L"打开串口失败！\n\nCOM1: 拒绝访问");
    EXPECT_EQ(g_boxes[2].owner, shownDialog);
}

} // namespace
