// The window menu's about entry and the about box it opens.
#include "console/AboutDlg.h"
#include "driver/Driver.h"
#include "framework/DialogTemplate.h"
#include "framework/SystemMenu.h"
#include "res/resource.h"
#include "support/ConsoleFixture.h"

#include <algorithm>

namespace {
using AboutBoxTest = ConsoleFixture;

// The position of the window menu's entry with the given id, -1 when it has none.
int menuPosition(const std::vector<driver::MenuEntry>& menu, unsigned id)
{
    const auto it = std::find_if(menu.begin(), menu.end(), [id](const driver::MenuEntry& entry) {
        return !entry.separator && entry.id == id;
    });
    return it == menu.end() ? -1 : static_cast<int>(it - menu.begin());
}
} // namespace

TEST_F(AboutBoxTest, WindowMenuEndsWithTheAboutEntryAfterTheWindowsOwnCommands)
{
    const int result = runConsole([&] {
        const std::vector<driver::MenuEntry> menu = driver::systemMenu(console);
        ASSERT_GE(menu.size(), 4u);
        const int last = static_cast<int>(menu.size()) - 1;
        EXPECT_TRUE(menu[static_cast<size_t>(last - 1)].separator);
        EXPECT_EQ(menu.back().text, "关于 Orvanel(&A)...");
        EXPECT_EQ(menu.back().id, IDM_ABOUTBOX);

        // The window's own commands come first and still work: Close ends the console as Cancel
        // does.
        const int minimize = menuPosition(menu, SC_MINIMIZE);
        const int close = menuPosition(menu, SC_CLOSE);
        EXPECT_GE(minimize, 0);
        EXPECT_LT(minimize, last - 1);
        ASSERT_GE(close, 0);
        EXPECT_LT(close, last - 1);
        driver::chooseSystemMenuEntry(console, close);
        EXPECT_FALSE(console.IsWindowVisible());
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(AboutBoxTest, AboutEntryOpensTheAboutBoxOverTheConsole)
{
    runConsole([&] {
        bool shown = false;
        driver::driveNextDialog([&](CDialog& about) {
            shown = true;
            EXPECT_NE(dynamic_cast<CAboutDlg*>(&about), nullptr);
            EXPECT_EQ(driver::windowLook(about).caption, "关于 Orvanel");
            // Owned by the console, it is modal to it and shown over it.
            EXPECT_EQ(driver::owner(about), console.GetSafeHwnd());
            EXPECT_EQ(describeControls(about),
                      (std::vector<std::string>{"-1  (icon)", "-1 Orvanel 1.1 版",
                                                "-1 DMX512 六路灯光控制台", "1 确定 (default)"}));
            driver::click(about, IDOK);
            EXPECT_FALSE(about.IsWindowVisible());
        });
        driver::chooseSystemMenuEntry(console,
                                      static_cast<int>(driver::systemMenu(console).size()) - 1);
        EXPECT_TRUE(shown);
        EXPECT_EQ(driver::activeDialog(), &console);
        EXPECT_TRUE(boxes.empty());
    });
}

TEST_F(AboutBoxTest, CommandIdsOpenTheBoxByTheirHighBits)
{
    runConsole([&] {
        int opened = 0;
        const auto countAboutBox = [&](CDialog& dlg) {
            if (dynamic_cast<CAboutDlg*>(&dlg))
                ++opened;
        };
        for (unsigned id : {0x0010u, 0x0011u, 0x001Fu}) {
            driver::driveNextDialog(countAboutBox);
            console.OnSysCommand(id, 0);
        }
        EXPECT_EQ(opened, 3);

        // These open nothing. One that wrongly opened the box would be driven, and counted, by
        // the watch set for the last command, which does open it.
        driver::driveNextDialog(countAboutBox);
        for (unsigned id : {0x0000u, 0x0020u, 0x0110u})
            console.OnSysCommand(id, 0);
        ASSERT_EQ(opened, 3);
        console.OnSysCommand(IDM_ABOUTBOX, 0);
        EXPECT_EQ(opened, 4);
        EXPECT_TRUE(console.IsWindowVisible());
    });
}
