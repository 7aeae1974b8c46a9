#include "framework/Resources.h"
#include "resource.h"

#include <array>
#include <utility>

namespace {
// Every text the program shows, by id: the program's own and those of the framework.
constexpr std::array<std::pair<int, const char*>, 65> kStringTable = {{
    {IDS_ABOUTBOX, "关于 Orvanel(&A)..."},
    {IDS_OPEN_PORT_FAILED, "打开串口失败！"},
    {IDS_PORT_ALREADY_OPEN, "串口已经被打开"},
    {IDS_AUTO_SEND, "自动发送"},
    {IDS_RAMP_SEND, "自变发送"},
    {IDS_STOP_SENDING, "停止发送"},
    {IDS_SENDING_STOPPED, "已停止发送"},
    {IDS_NO_SUCH_PORT, "此计算机上没有此串口"},
    {IDS_NO_SUCH_PORT_DETAIL, "此计算机上没有 %1。"},
    {IDS_PORTS_HERE, "本机的串口：%1"},
    {IDS_NO_PORTS_HERE, "本机没有串口。请接上 DMX 接口后再试。"},
    {IDS_PERMISSION_DENIED_DETAIL, "没有权限打开 %1（%2）。\n请把您的用户加入 dialout 组："
                                   "sudo usermod -aG dialout $USER，然后注销并重新登录。"},
    {IDS_IN_USE_DETAIL, "%1 正被另一个程序使用。请先关闭那个程序。"},
    {IDS_SETTINGS_REFUSED_DETAIL, "%1 不能设为 %2 波特、8 数据位、无校验、2 停止位。"},
    {IDS_INVALID_RATE_DETAIL, "波特率必须大于 0。"},
    {IDS_SYSTEM_ERROR_DETAIL, "无法打开 %1：%2。"},
    {IDS_NO_NETWORK_DETAIL, "无法发送到 %1（%2）。请检查网络连接和网络设置。"},
    {IDS_NOT_IPV4_DETAIL, "“%1”不是 IPv4 地址。请输入形如 192.168.1.20 的地址，或留空。"},
    {IDS_UNIVERSE_OUT_OF_RANGE_DETAIL,
     "域 %1 超出范围：sACN 为 1 至 63999，Art-Net 为 0 至 32767。"},
    {IDS_SEND_REFUSED_DETAIL, "系统不允许发送到 %1（%2）。请检查防火墙设置。"},
    {IDS_OUTPUT_SERIAL_LINE, "普通串口"},
    {IDS_OUTPUT_USB_PRO, "DMX USB Pro"},
    {IDS_OUTPUT_SACN, "sACN (E1.31)"},
    {IDS_OUTPUT_ART_NET, "Art-Net"},
    {IDS_OUTPUT_UNIVERSE, "域 %1"},
    {IDS_OUTPUT_NOT_OPEN, "未打开"},
    {IDS_OUTPUT_SERIAL_NUMBER, "序列号 %1"},
    {IDS_OUTPUT_FIRMWARE, "固件 %1"},
    {IDS_OUTPUT_NO_ANSWER, "无应答"},
    {IDS_OUTPUT_WRITES_FAILING, "写入失败"},
    {IDS_OPTION_NO_INTERFACE, "'%1' names no network interface after the '%'."},
    {IDS_NOT_A_DESTINATION_DETAIL,
     "“%1”不能作为目的地址：0.x.x.x 和 240.0.0.0 至 255.255.255.254 不指向任何接收端。"
     "请输入接收端的地址，或留空。"},
    {IDS_INTERFACE_GONE_DETAIL, "本机没有网卡“%1”。已连接的网卡：%2。"},
    {IDS_INTERFACE_DOWN_DETAIL,
     "网卡“%1”未连接（已停用或未接网线）。请接好网线，或选择另一块网卡。"},
    {IDS_INTERFACE_UNCLEAR_DETAIL, "本机有多块网卡，但没有通往 %1 的路由，无法判断该用哪一块。"
                                   "请在“网卡”中选择灯光网络所在的网卡（已连接的网卡：%2）。"},
    {IDS_NO_INTERFACE_UP, "无"},
    {IDS_OUTPUT_INTERFACE, "网卡 %1"},
    {IDS_OUTPUT_TO_ADDRESS, "发往 %1"},
    {IDS_OUTPUT_MULTICAST, "组播"},
    {IDS_OUTPUT_BROADCAST, "广播"},
    {IDS_OUTPUT_NODES, "%1 个节点"},
    {IDS_INTERFACE_AUTOMATIC, "自动"},
    {IDS_NODES_NONE, "（未发现节点）"},
    {IDS_NODES_CHOOSE, "（选择节点）"},
    {IDS_NODE_ENTRY, "%1  %2  域 %3"},
    {IDS_OUTPUT_OPTION,
     "Opens this output at start-up instead of a plain serial interface on\n"
     "COM1 at 250000 baud:\n"
     "  serial[:COMn[:RATE]]         a plain serial interface (USB-serial, RS-485)\n"
     "  pro[:COMn[:RATE]]            a DMX USB Pro widget or a compatible\n"
     "  sacn[:UNIVERSE][@ADDRESS][%IFACE]\n"
     "                               sACN (E1.31), universe 1 to 63999\n"
     "  artnet[:UNIVERSE][@ADDRESS][%IFACE]\n"
     "                               Art-Net, port-address 0 to 32767\n"
     "with n from 1 to 256 (COM1 when left out), the rate the port is opened at\n"
     "(250000 when left out), the universe (1 for sACN, 0 for Art-Net when\n"
     "left out), the IPv4 address of a receiver (when left out, sACN goes\n"
     "to the universe's multicast group and Art-Net to the nodes that ask for\n"
     "the port-address, else to the network's broadcast) and the network\n"
     "interface to send from, by its name or address (when left out, the\n"
     "only one connected, else the one of the route), e.g. pro:COM2, sacn:5,\n"
     "sacn:1%eth1, artnet:1@192.168.1.20, artnet:291@2.0.0.20%2.0.0.10."},
    {IDS_OPTION_UNKNOWN_KIND, "'%1' is no kind of output: use %2."},
    {IDS_OPTION_TOO_MANY_PARTS, "'%1' has more parts than its kind takes."},
    {IDS_OPTION_BAD_PORT, "'%1' is no port: use COM1 to COM256."},
    {IDS_OPTION_BAD_RATE, "'%1' is no rate: use a whole number of baud above 0."},
    {IDS_OPTION_BAD_UNIVERSE, "'%1' is no universe: use %2 to %3."},
    {IDS_OPTION_BAD_ADDRESS, "'%1' is no IPv4 address."},
    {AFX_IDS_APP_DESCRIPTION,
     "Desktop console for DMX512 lighting control over a serial port, a DMX\n"
     "USB Pro widget, sACN (E1.31) or Art-Net.\n"
     "Without arguments it starts the console."},
    {AFX_IDS_HELP_OPTION, "Displays help on commandline options."},
    {AFX_IDS_UNEXPECTED_ARGUMENT, "Unexpected argument '%1'."},
    {AFX_IDS_VERSION_OPTION, "Displays version information."},
    {AFX_IDS_UNKNOWN_OPTION, "Unknown option '%1'."},
    {AFX_IDS_MISSING_VALUE, "Missing value after '%1'."},
    {AFX_IDS_INVALID_VALUE, "Invalid value for %1 '%2': %3"},
    {AFX_IDS_USAGE, "Usage: %1 [options]"},
    {AFX_IDS_OPTIONS, "Options:"},
    {AFX_IDS_SCMINIMIZE, "最小化(&N)"},
    {AFX_IDS_SCCLOSE, "关闭(&C)\tAlt+F4"},
    {AFX_IDS_OK, "确定"},
    {AFX_IDP_PARSE_INT, "请输入一个整数。"},
}};
} // namespace

std::string loadString(int id)
{
    for (const auto& [stringId, text] : kStringTable) {
        if (stringId == id)
            return text;
    }
    return {};
}
