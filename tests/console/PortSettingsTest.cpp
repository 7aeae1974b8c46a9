// The port settings dialog, run from the console's open-port button.
#include "console/PortSettingsDlg.h"
#include "console/ThePort.h"
#include "driver/Driver.h"
#include "framework/DialogTemplate.h"
#include "output/sacn/SacnPacket.h"
#include "res/resource.h"
#include "support/ArtNetNodeReply.h"
#include "support/ConsoleFixture.h"

#include <algorithm>

using driver::Key;
using PortSettingsTest = ConsoleFixture;
using Calls = std::vector<std::string>;

namespace {
// Presses the console's open-port button; drive works the settings dialog once it is up.
void openPortSettings(CDialog& console, std::function<void(CDialog&)> drive)
{
    driver::driveNextDialog(std::move(drive));
    driver::click(console, IDC_OPEN_PORT);
}

// The device's calls that open it or set its rate.
Calls openingCalls()
{
    Calls calls;
    std::ranges::copy_if(g_fakeDevice.calls, std::back_inserter(calls), [](const auto& call) {
        return call.starts_with("openExclusive") || call.starts_with("setLineSettings");
    });
    return calls;
}
} // namespace

TEST_F(PortSettingsTest, ListsTheEightPortsAndStartsAtCom1And250000Baud)
{
    CPortSettingsDlg settings;
    driver::runModal(settings, [&] {
        EXPECT_EQ(driver::windowLook(settings).caption, "串口设置");
        EXPECT_TRUE(driver::windowLook(settings).fixedSize);
        // The controls in template order, which is their tab order.
        EXPECT_EQ(describeControls(settings),
                  (Calls{"1 确定 (default)", "2 取消", "-1 串口:", "1001 COM1", "-1 波特率:",
                         "1010 250000", "-1 接口:", "1041 普通串口", "-1 域:", "1042 1",
                         "-1 地址:", "1043 ", "-1 留空：sACN 组播，Art-Net 节点或广播",
                         "-1 网卡:", "1060 自动", "-1 节点:", "1061 （未发现节点）"}));
        // Unsorted, in port order.
        EXPECT_EQ(driver::listItems(settings, IDC_PORT_LIST),
                  (Calls{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"}));
        EXPECT_EQ(driver::listSelection(settings, IDC_PORT_LIST), 0);
    });
}

TEST_F(PortSettingsTest, OkClosesThePortInUseAndOpensTheChosenOne)
{
    const struct
    {
        const char* how;
        std::function<void(CDialog&)> choose;
        int port;
        unsigned rate;
    } choices[] = {
        {"OK without changes", [](CDialog& dlg) { driver::click(dlg, IDOK); }, 1, 250000},
        {"COM3 by keys, Enter",
         [](CDialog& dlg) {
             driver::pressKey(dlg, IDC_PORT_LIST, Key::Down);
             driver::pressKey(dlg, IDC_PORT_LIST, Key::Down);
             EXPECT_EQ(driver::text(dlg, IDC_PORT_LIST), "COM3");
             driver::pressKey(dlg, IDC_PORT_LIST, Key::Enter);
         },
         3, 250000},
        {"COM8 at 9600, Enter in the rate",
         [](CDialog& dlg) {
             driver::chooseListItem(dlg, IDC_PORT_LIST, 7);
             driver::typeText(dlg, IDC_BAUD, " 9600 ");
             driver::pressKey(dlg, IDC_BAUD, Key::KeypadEnter);
         },
         8, 9600},
    };
    for (const auto& choice : choices) {
        SCOPED_TRACE(choice.how);
        SetUp(); // each starts afresh
        runConsole([&] {
            EXPECT_TRUE(thePort.IsOpen());
            g_fakeDevice.clearRecord();
            openPortSettings(console, choice.choose);

            EXPECT_TRUE(thePort.IsOpen());
            EXPECT_TRUE(boxes.empty());
            const std::string open = "openExclusive(" + std::to_string(choice.port) + ")";
            EXPECT_EQ(g_fakeDevice.callsStartingWith("openExclusive"), Calls{open});
            EXPECT_LT(std::ranges::find(g_fakeDevice.calls, "close"),
                      std::ranges::find(g_fakeDevice.calls, open));
            EXPECT_EQ(g_fakeDevice.callsStartingWith("setLineSettings").at(0),
                      "setLineSettings(" + std::to_string(choice.rate) + ")");
            EXPECT_EQ(g_fakeDevice.timeouts.WriteTotalTimeoutMultiplier, 19200 / choice.rate);

            // Opened again, it shows neither the port nor the rate in use.
            openPortSettings(console, [](CDialog& settings) {
                EXPECT_EQ(driver::listSelection(settings, IDC_PORT_LIST), 0);
                EXPECT_EQ(driver::text(settings, IDC_BAUD), "250000");
                EXPECT_EQ(driver::focusedId(settings), IDOK);
            });
        });
    }
}

TEST_F(PortSettingsTest, CancellingLeavesThePortAlone)
{
    const struct
    {
        const char* how;
        std::function<void(CDialog&)> cancel;
    } cancellings[] = {
        {"Cancel button", [](CDialog& dlg) { driver::click(dlg, IDCANCEL); }},
        {"Esc", [](CDialog& dlg) { driver::pressKey(dlg, IDC_BAUD, Key::Escape); }},
        {"close box", [](CDialog& dlg) { driver::closeWindow(dlg); }},
    };
    for (const auto& cancelling : cancellings) {
        SCOPED_TRACE(cancelling.how);
        SetUp(); // each starts afresh
        runConsole([&] {
            g_fakeDevice.clearRecord();
            openPortSettings(console, [&](CDialog& settings) {
                // The console owns the dialog and takes no input while it is open.
                EXPECT_EQ(driver::owner(settings), console.GetSafeHwnd());
                EXPECT_EQ(driver::activeDialog(), &settings);
                driver::chooseListItem(settings, IDC_PORT_LIST, 2);
                driver::typeText(settings, IDC_BAUD, "abc");
                cancelling.cancel(settings);
                EXPECT_FALSE(settings.IsWindowVisible());
            });
            EXPECT_TRUE(thePort.IsOpen());
            EXPECT_EQ(g_fakeDevice.calls, Calls{});
            EXPECT_TRUE(boxes.empty());
            // The console takes the keyboard back, at the button that opened the dialog.
            EXPECT_TRUE(driver::waitUntil(
                [&] { return driver::focusedId(console) == IDC_OPEN_PORT; }, 1000));
        });
    }
}

TEST_F(PortSettingsTest, RateThatIsNoIntegerKeepsTheDialogOpenWithTheFieldReadyForANumber)
{
    for (const std::string typed : {"abc", ""}) {
        SCOPED_TRACE(typed);
        SetUp(); // each starts afresh
        runConsole([&] {
            g_fakeDevice.clearRecord();
            openPortSettings(console, [&](CDialog& settings) {
                driver::chooseListItem(settings, IDC_PORT_LIST, 1);
                driver::typeText(settings, IDC_BAUD, typed);
                driver::click(settings, IDOK);

                // One prompt, over the dialog, which stays open with the field's text selected.
                ASSERT_EQ(boxTexts(), Calls{"请输入一个整数。"});
                EXPECT_EQ(boxes[0].owner, settings.GetSafeHwnd());
                EXPECT_TRUE(settings.IsWindowVisible());
                EXPECT_EQ(driver::focusedId(settings), IDC_BAUD);
                EXPECT_EQ(driver::selectedText(settings, IDC_BAUD), typed);
                EXPECT_TRUE(g_fakeDevice.calls.empty());

                // Corrected, the same dialog goes on to open the port.
                driver::typeText(settings, IDC_BAUD, "115200");
                driver::click(settings, IDOK);
                EXPECT_FALSE(settings.IsWindowVisible());
            });
            EXPECT_EQ(boxes.size(), 1u);
            EXPECT_TRUE(thePort.IsOpen());
            EXPECT_EQ(g_fakeDevice.callsStartingWith("openExclusive"), Calls{"openExclusive(2)"});
            EXPECT_EQ(g_fakeDevice.callsStartingWith("setLineSettings").at(0),
                      "setLineSettings(115200)");
        });
    }
}

TEST_F(PortSettingsTest, FailedOpenLeavesNoPortOpenAndSaysWhy)
{
    const struct
    {
        const char* rate;
        bool deviceRefusesRate;
        bool com2Present;
        Calls deviceCalls; // what the device was asked to open and set after the close
        const char* detail;
    } failures[] = {
        // A negative rate reaches the device as the unsigned number of the same bits.
        {"-1",
         true,
         true,
         {"openExclusive(2)", "setLineSettings(4294967295)"},
         "/dev/fake 不能设为 4294967295 波特、8 数据位、无校验、2 停止位。"},
        {"0", false, true, {}, "波特率必须大于 0。"},
        {"250000",
         false,
         false,
         {"openExclusive(2)"},
         "此计算机上没有 COM2。\n本机的串口：COM1 (/dev/ttyUSB0), COM3 (/dev/ttyACM0)"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.detail);
        SetUp(); // each starts afresh
        runConsole([&] {
            EXPECT_TRUE(thePort.IsOpen());
            g_fakeDevice.clearRecord();
            g_fakeDevice.refuseSettings = failure.deviceRefusesRate;
            if (!failure.com2Present)
                g_fakeDevice.presentPorts.erase(2);
            openPortSettings(console, [&](CDialog& settings) {
                driver::chooseListItem(settings, IDC_PORT_LIST, 1);
                driver::typeText(settings, IDC_BAUD, failure.rate);
                driver::click(settings, IDOK);
            });

            // The old port was closed first; the console goes on without one and sends nothing.
            ASSERT_EQ(boxTexts(), Calls{"打开串口失败！"});
            EXPECT_EQ(boxes[0].detail, failure.detail);
            EXPECT_FALSE(thePort.IsOpen());
            EXPECT_FALSE(g_fakeDevice.open);
            EXPECT_NE(std::ranges::find(g_fakeDevice.calls, "close"), g_fakeDevice.calls.end());
            EXPECT_EQ(openingCalls(), failure.deviceCalls);

            g_fakeDevice.clearRecord();
            driver::click(console, IDC_SEND);
            EXPECT_TRUE(g_fakeDevice.writes.empty());
        });
    }
}

TEST_F(PortSettingsTest, RunningLoopWaitsAndGoesOnWithTheNewPort)
{
    runConsole([&] {
        g_fakeDevice.clearRecord();
        // Opened from the passes after the loop's second frame; the loop waits for the dialog.
        afterLoopFrame(2, [&] {
            driver::driveNextDialog([&](CDialog& settings) {
                const size_t written = g_fakeDevice.writes.size();
                driver::wait(30);
                driver::chooseListItem(settings, IDC_PORT_LIST, 2);
                driver::click(settings, IDOK);
                EXPECT_EQ(g_fakeDevice.writes.size(), written);
            });
            driver::postClick(console, IDC_OPEN_PORT);
        });
        afterLoopFrame(4, [&] { driver::postClick(console, IDC_AUTO_SEND); });
        driver::click(console, IDC_AUTO_SEND);

        EXPECT_EQ(boxTexts(), Calls{"已停止发送"});
        EXPECT_TRUE(thePort.IsOpen());
        EXPECT_EQ(g_fakeDevice.callsStartingWith("openExclusive"), Calls{"openExclusive(3)"});
        // Frames 3 and 4 went out on the new port.
        const auto reopened = std::ranges::find(g_fakeDevice.calls, "openExclusive(3)");
        EXPECT_GE(std::count(reopened, g_fakeDevice.calls.end(), "startWrite(512)"), 2);
    });
}

TEST_F(PortSettingsTest, FramesGoThroughTheKindChosenWhichTheConsoleShows)
{
    runConsole([&] {
        EXPECT_EQ(driver::text(console, IDC_OUTPUT_IN_USE), "普通串口\nCOM1");
        openPortSettings(console, [](CDialog& settings) {
            EXPECT_EQ(driver::listItems(settings, IDC_OUTPUT_KIND),
                      (Calls{"普通串口", "DMX USB Pro", "sACN (E1.31)", "Art-Net"}));
            driver::chooseListItem(settings, IDC_PORT_LIST, 1);
            driver::chooseListItem(settings, IDC_OUTPUT_KIND, 1);
            driver::click(settings, IDOK);
        });
        EXPECT_EQ(driver::text(console, IDC_OUTPUT_IN_USE), "DMX USB Pro\nCOM2");
        g_fakeDevice.clearRecord();
        driver::click(console, IDC_SEND);
        ASSERT_EQ(g_fakeDevice.writes.size(), 1u);
        EXPECT_EQ(g_fakeDevice.writes[0].bytes.size(), 518u);

        // The idle refresh goes on while the dialog is up.
        openPortSettings(console, [](CDialog& settings) {
            advanceClock(kRefreshAfter);
            EXPECT_TRUE(driver::waitUntil([] { return g_fakeDevice.writes.size() == 2; }));
            driver::click(settings, IDCANCEL);
        });
    });
}

TEST_F(PortSettingsTest, NetworkKindsTakeAUniverseAndAnAddressAndEndTheirStreamWhenLeft)
{
    runConsole([&] {
        openPortSettings(console, [](CDialog& settings) {
            // Only the chosen kind's fields take input; each network kind brings its universe.
            EXPECT_FALSE(driver::isEnabled(settings, IDC_UNIVERSE));
            driver::chooseListItem(settings, IDC_OUTPUT_KIND, 3);
            EXPECT_EQ(driver::text(settings, IDC_UNIVERSE), "0");
            EXPECT_FALSE(driver::isEnabled(settings, IDC_PORT_LIST) ||
                         driver::isEnabled(settings, IDC_BAUD));
            EXPECT_TRUE(driver::isEnabled(settings, IDC_ADDRESS));
            driver::chooseListItem(settings, IDC_OUTPUT_KIND, 2);
            EXPECT_EQ(driver::text(settings, IDC_UNIVERSE), "1");
            driver::typeText(settings, IDC_UNIVERSE, "7");
            driver::click(settings, IDOK);
        });
        EXPECT_FALSE(thePort.IsOpen());
        EXPECT_EQ(driver::text(console, IDC_OUTPUT_IN_USE), "sACN (E1.31)\n域 7\n网卡 eth0\n组播");
        EXPECT_EQ(g_fakeSocket.opened, (std::vector<Ipv4Endpoint>{{0xEFFF0007, 5568}}));
        driver::click(console, IDC_SEND);
        EXPECT_EQ(std::ranges::count(g_fakeSocket.datagrams, kSacnPacketLength,
                                     &std::vector<uint8_t>::size),
                  1);

        // Whatever comes next, the stream ends first; failures are told as a port's are.
        using Failure = std::tuple<int, std::string, std::string, std::string>;
        const Failure failures[] = {
            // the kind, the universe and address typed, the box's detail
            {2, "64000", "", "域 64000 超出范围：sACN 为 1 至 63999，Art-Net 为 0 至 32767。"},
            {3, "0", "10.0.0.256",
             "“10.0.0.256”不是 IPv4 地址。请输入形如 192.168.1.20 的地址，或留空。"},
        };
        for (const auto& [kind, universe, address, detail] : failures) {
            boxes.clear();
            openPortSettings(console, [&](CDialog& settings) {
                driver::chooseListItem(settings, IDC_OUTPUT_KIND, kind);
                driver::typeText(settings, IDC_UNIVERSE, universe);
                driver::typeText(settings, IDC_ADDRESS, address);
                driver::click(settings, IDOK);
            });
            ASSERT_EQ(boxTexts(), Calls{"打开串口失败！"});
            EXPECT_EQ(boxes[0].detail, detail);
            EXPECT_TRUE(driver::text(console, IDC_OUTPUT_IN_USE).ends_with("\n未打开"));
        }
        ASSERT_FALSE(g_fakeSocket.datagrams.empty());
        EXPECT_EQ(g_fakeSocket.datagrams.back()[112] & 0x40, 0x40) << "stream terminated";

        // Art-Net from an interface of the list; a node it hears from is offered next time, and
        // choosing it fills in its address and port-address.
        g_fakeSocket.machine.push_back({"eth1", 0x0200000A, 0xFF000000, 3, true, false});
        openPortSettings(console, [](CDialog& settings) {
            EXPECT_EQ(driver::listItems(settings, IDC_INTERFACE),
                      (Calls{"自动", "lo  127.0.0.1", "eth0  10.0.0.5", "eth1  2.0.0.10"}));
            EXPECT_FALSE(driver::isEnabled(settings, IDC_NODE_LIST));
            driver::chooseListItem(settings, IDC_OUTPUT_KIND, 3);
            driver::chooseListItem(settings, IDC_INTERFACE, 3);
            driver::click(settings, IDOK);
        });
        EXPECT_EQ(g_fakeSocket.setup.interfaceIndex, 3u);
        EXPECT_EQ(driver::text(console, IDC_OUTPUT_IN_USE), "Art-Net\n域 0\n网卡 eth1\n广播");
        g_fakeSocket.incoming.push_back(
            {{0x02000014, 6454}, nodePollReply(0x02000014, "Dimmer", 291)});
        ASSERT_TRUE(driver::waitUntil([] { return !theOutput.Status().heard.empty(); }));
        openPortSettings(console, [](CDialog& settings) {
            EXPECT_EQ(driver::listItems(settings, IDC_NODE_LIST),
                      (Calls{"（选择节点）", "Dimmer  2.0.0.20  域 291"}));
            driver::chooseListItem(settings, IDC_OUTPUT_KIND, 3);
            driver::chooseListItem(settings, IDC_NODE_LIST, 1);
            EXPECT_EQ(driver::text(settings, IDC_UNIVERSE), "291");
            driver::click(settings, IDOK);
        });
        EXPECT_EQ(driver::text(console, IDC_OUTPUT_IN_USE),
                  "Art-Net\n域 291\n网卡 eth1\n发往 2.0.0.20");
    });
}

TEST_F(PortSettingsTest, TextLeftInAFieldTheChosenKindGreysOutIsNeitherReadNorChecked)
{
    const struct
    {
        int field;      // where "abc" is typed, under the kind first chosen
        int firstKind;  // list index
        int chosenKind; // list index, which greys the field out
        const char* shown;
    } cases[] = {
        {IDC_BAUD, 0, 2, "sACN (E1.31)\n域 1\n网卡 eth0\n组播"},
        {IDC_UNIVERSE, 3, 0, "普通串口\nCOM1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        SetUp(); // each starts afresh
        runConsole([&] {
            openPortSettings(console, [&](CDialog& settings) {
                driver::chooseListItem(settings, IDC_OUTPUT_KIND, c.firstKind);
                driver::typeText(settings, c.field, "abc");
                driver::chooseListItem(settings, IDC_OUTPUT_KIND, c.chosenKind);
                driver::click(settings, IDOK);
                EXPECT_FALSE(settings.IsWindowVisible());
            });
            EXPECT_TRUE(boxes.empty()) << boxTexts().front();
            EXPECT_EQ(driver::text(console, IDC_OUTPUT_IN_USE), c.shown);
        });
    }
}
