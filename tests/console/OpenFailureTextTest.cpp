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
