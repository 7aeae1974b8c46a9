#include "console/OpenFailureText.h"

#include <gtest/gtest.h>

// What the operator reads below "failed to open the port", for the causes the fake port of the
// behaviour tests does not produce.
TEST(OpenFailureTextTest, NamesTheDeviceTheReasonAndWhatToDo)
{
    const std::map<int, std::string> linuxPorts{{1, "/dev/ttyUSB0"}};
    EXPECT_EQ(describeOpenFailure(
                  1, 250000,
                  {OpenFailure::Cause::PermissionDenied, "/dev/ttyUSB0", "Permission denied"},
                  linuxPorts),
              "没有权限打开 /dev/ttyUSB0（Permission denied）。\n请把您的用户加入 dialout 组："
              "sudo usermod -aG dialout $USER，然后注销并重新登录。");
    EXPECT_EQ(describeOpenFailure(1, 250000, {OpenFailure::Cause::InUse, "/dev/ttyUSB0", "busy"},
                                  linuxPorts),
              "/dev/ttyUSB0 正被另一个程序使用。请先关闭那个程序。");
    EXPECT_EQ(describeOpenFailure(2, 250000, {OpenFailure::Cause::NoSuchPort, {}, {}}, {}),
              "此计算机上没有 COM2。\n本机没有串口。请接上 DMX 接口后再试。");

    // Windows names a port's device after the port; the port's name says it all.
    const std::map<int, std::string> windowsPorts{{1, "\\\\.\\COM1"}, {11, "\\\\.\\COM11"}};
    EXPECT_EQ(
        describeOpenFailure(3, 250000, {OpenFailure::Cause::NoSuchPort, {}, {}}, windowsPorts),
        "此计算机上没有 COM3。\n本机的串口：COM1, COM11");
    EXPECT_EQ(describeOpenFailure(1, 250000,
                                  {OpenFailure::Cause::SystemError, "\\\\.\\COM1", "Access denied"},
                                  windowsPorts),
              "无法打开 COM1：Access denied。");
}

// The network outputs' reasons: the interfaces to choose from, and what the operator typed cut
// short, however long, so that the box keeps a normal width.
TEST(OpenFailureTextTest, NetworkReasonsNameTheInterfacesAndEchoTypedTextShort)
{
    using Cause = OpenFailure::Cause;
    const std::string up = "eth0 10.0.0.5, eth1 2.0.0.10";
    const std::pair<OpenFailure, std::string> cases[] = {
        {{Cause::NotIpv4Address, {}, "10.0.0.1" + std::string(300, '9')},
         "“10.0.0.1" + std::string(32, '9') +
             "…”不是 IPv4 地址。请输入形如 192.168.1.20 的地址，或留空。"},
        {{Cause::InterfaceGone, "以太网" + std::string(50, '2'), ""},
         "本机没有网卡“以太网" + std::string(37, '2') + "…”。已连接的网卡：无。"},
        {{Cause::InterfaceUnclear, "239.255.0.1:5568", up},
         "本机有多块网卡，但没有通往 239.255.0.1:5568 的路由，无法判断该用哪一块。"
         "请在“网卡”中选择灯光网络所在的网卡（已连接的网卡：" +
             up + "）。"},
    };
    for (const auto& [failure, text] : cases)
        EXPECT_EQ(describeOpenFailure(1, 250000, failure, {}), text);
}
