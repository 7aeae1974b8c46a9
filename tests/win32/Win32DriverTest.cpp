// The Win32 test driver on plain dialogs of the program's templates: keys through the dialog
// manager, a dialog opened from a handler and driven while it runs over its owner, and a
// drop-down list with its initial data and the tip of its chosen entry.
#include "framework/win32/WindowsApi.h"

#include "driver/Driver.h"
#include "framework/win32/Utf16.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using driver::Key;

TEST(Win32Driver, KeysGoThroughTheDialogManager)
{
    CDialog dlg(IDD_PORT_SETTINGS);
    const int result = driver::runModal(dlg, [&] {
        EXPECT_EQ(driver::focusedId(dlg), IDOK); // the first tab stop
        driver::pressKey(dlg, IDOK, Key::Tab);
        EXPECT_EQ(driver::focusedId(dlg), IDCANCEL);
        driver::pressKey(dlg, IDCANCEL, Key::ShiftTab);
        EXPECT_EQ(driver::focusedId(dlg), IDOK);

        driver::typeText(dlg, IDC_BAUD, "9600");
        EXPECT_EQ(driver::focusedId(dlg), IDC_BAUD);
        EXPECT_EQ(driver::text(dlg, IDC_BAUD), "9600");
        EXPECT_EQ(driver::selectedText(dlg, IDC_BAUD), "");
        driver::typeText(dlg, IDC_BAUD, "");
        EXPECT_EQ(driver::text(dlg, IDC_BAUD), "");

        // Enter in the field presses the default button.
        driver::pressKey(dlg, IDC_BAUD, Key::Enter);
        EXPECT_FALSE(dlg.IsWindowVisible());
    });
    EXPECT_EQ(result, IDOK);
}

// A dialog whose Cancel button runs the about box over it.
class OpeningDialog : public CDialog
{
public:
    OpeningDialog() : CDialog(IDD_PORT_SETTINGS)
    {
        mapClicked(IDCANCEL, [this] {
            CDialog about(IDD_ABOUTBOX);
            aboutResult = about.DoModal();
        });
    }

    int aboutResult = 0;
};

TEST(Win32Driver, DrivesADialogThatAHandlerRunsOverItsOwner)
{
    OpeningDialog dlg;
    driver::runModal(dlg, [&] {
        std::vector<std::string> aboutTexts;
        driver::driveNextDialog([&](CDialog& about) {
            EXPECT_EQ(driver::activeDialog(), &about);
            EXPECT_EQ(driver::owner(about), dlg.GetSafeHwnd());
            // The owner takes no input while the about box runs.
            driver::click(dlg, IDOK);
            EXPECT_TRUE(dlg.IsWindowVisible());
            for (const driver::ControlInfo& control : driver::controls(about))
                aboutTexts.push_back(control.text + (control.showsIcon ? "(icon)" : ""));
            driver::pressKey(about, IDOK, Key::Enter);
        });
        driver::click(dlg, IDCANCEL);

        EXPECT_EQ(dlg.aboutResult, IDOK);
        EXPECT_EQ(driver::activeDialog(), &dlg);
        EXPECT_EQ(aboutTexts, (std::vector<std::string>{"(icon)", "Orvanel 1.1 版",
                                                        "DMX512 六路灯光控制台", "确定"}));
    });
}

// The text the list's tooltip gets when it asks the dialog, as it does before it shows.
std::string tipOf(CDialog& dlg, int id)
{
    NMTTDISPINFOW request{};
    request.hdr.hwndFrom = nullptr;
    request.hdr.idFrom = reinterpret_cast<UINT_PTR>(dlg.GetDlgItem(id));
    request.hdr.code = TTN_GETDISPINFOW;
    request.uFlags = TTF_IDISHWND;
    SendMessageW(dlg.GetSafeHwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
    return request.lpszText ? toUtf8(request.lpszText) : std::string("(none)");
}

TEST(Win32Driver, ListTakesItsInitialDataAndTipsTheChosenEntry)
{
    CDialog dlg(IDD_PORT_SETTINGS);
    driver::runModal(dlg, [&] {
        EXPECT_EQ(driver::listItems(dlg, IDC_PORT_LIST),
                  (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
                                            "COM8"}));
        EXPECT_EQ(driver::listSelection(dlg, IDC_PORT_LIST), -1);
        EXPECT_EQ(tipOf(dlg, IDC_PORT_LIST), "(none)"); // no tips yet: left to the tooltip

        dlg.SetListItemTip(IDC_PORT_LIST, 0, "/dev/ttyUSB0");
        dlg.SetListItemTip(IDC_PORT_LIST, 2, "此计算机上没有此串口");
        dlg.SetListItemTip(IDC_PORT_LIST, 8, "no such entry");
        dlg.SetListItemTip(IDC_BAUD, 0, "no list");
        EXPECT_EQ(tipOf(dlg, IDC_PORT_LIST), ""); // nothing chosen
        driver::chooseListItem(dlg, IDC_PORT_LIST, 2);
        EXPECT_EQ(driver::listSelection(dlg, IDC_PORT_LIST), 2);
        EXPECT_EQ(driver::text(dlg, IDC_PORT_LIST), "COM3");
        EXPECT_EQ(tipOf(dlg, IDC_PORT_LIST), "此计算机上没有此串口");
        driver::chooseListItem(dlg, IDC_PORT_LIST, 0);
        EXPECT_EQ(tipOf(dlg, IDC_PORT_LIST), "/dev/ttyUSB0");
        driver::chooseListItem(dlg, IDC_PORT_LIST, 1);
        EXPECT_EQ(tipOf(dlg, IDC_PORT_LIST), "");
    });
}

} // namespace
