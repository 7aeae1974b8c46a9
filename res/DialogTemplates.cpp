#include "framework/Resources.h"
#include "resource.h"

#include <array>
#include <cstdlib>

namespace {
constexpr uint32_t kButton = WS_TABSTOP;
constexpr uint32_t kEdit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr uint32_t kLabel = WS_GROUP;
constexpr uint32_t kSlider = TBS_VERT | TBS_BOTH | TBS_NOTICKS | WS_TABSTOP;

using enum ControlKind;

// clang-format off
constexpr std::array kConsoleControls = {
    ControlTemplate{IDOK,          PushButton, "确定",     279,   7,  50,  14, kButton | BS_DEFPUSHBUTTON},
    ControlTemplate{IDCANCEL,      PushButton, "取消",     279,  24,  50,  14, kButton},
    ControlTemplate{IDC_SLIDER1,   TrackBar,   "Slider1",  34,  27,  29, 208, kSlider},
    ControlTemplate{IDC_OPEN_PORT, PushButton, "打开串口", 279,  54,  50,  14, kButton},
    ControlTemplate{IDC_SEND,      PushButton, "发送",     279,  75,  50,  14, kButton},
    ControlTemplate{IDC_STATIC,    Static,     "地址:",      7,  12,  21,   8, kLabel},
    ControlTemplate{IDC_CHANNEL1,  Edit,       "",          31,  10,  31,  14, kEdit},
    ControlTemplate{IDC_VALUE1,    Edit,       "",          31, 240,  31,  14, kEdit},
    ControlTemplate{IDC_STATIC,    Static,     "值:",       14, 244,  13,   8, kLabel},
    ControlTemplate{IDC_SLIDER2,   TrackBar,   "Slider1",   71,  27,  29, 208, kSlider},
    ControlTemplate{IDC_CHANNEL2,  Edit,       "",          68,  10,  31,  14, kEdit},
    ControlTemplate{IDC_VALUE2,    Edit,       "",          68, 240,  31,  14, kEdit},
    ControlTemplate{IDC_SLIDER3,   TrackBar,   "Slider1",  108,  27,  29, 208, kSlider},
    ControlTemplate{IDC_CHANNEL3,  Edit,       "",         104,  10,  31,  14, kEdit},
    ControlTemplate{IDC_VALUE3,    Edit,       "",         104, 240,  31,  14, kEdit},
    ControlTemplate{IDC_AUTO_SEND, PushButton, "自动发送", 279,  96,  50,  14, kButton},
    ControlTemplate{IDC_RAMP_SEND, PushButton, "自变发送", 279, 116,  50,  14, kButton},
    ControlTemplate{IDC_SLIDER4,   TrackBar,   "Slider1",  145,  27,  29, 208, kSlider},
    ControlTemplate{IDC_SLIDER5,   TrackBar,   "Slider1",  182,  27,  29, 208, kSlider},
    ControlTemplate{IDC_SLIDER6,   TrackBar,   "Slider1",  219,  27,  29, 208, kSlider},
    ControlTemplate{IDC_CHANNEL4,  Edit,       "",         141,  10,  31,  14, kEdit},
    ControlTemplate{IDC_CHANNEL5,  Edit,       "",         178,  10,  31,  14, kEdit},
    ControlTemplate{IDC_CHANNEL6,  Edit,       "",         214,  10,  31,  14, kEdit},
    ControlTemplate{IDC_VALUE4,    Edit,       "",         139, 240,  31,  14, kEdit},
    ControlTemplate{IDC_VALUE5,    Edit,       "",         176, 240,  31,  14, kEdit},
    ControlTemplate{IDC_VALUE6,    Edit,       "",         212, 240,  31,  14, kEdit},
    ControlTemplate{IDC_OUTPUT_IN_USE, Static, "",         258, 140,  71, 114, SS_NOPREFIX},
};
// clang-format on

constexpr DialogTemplate kConsole{
    IDD_CONSOLE,
    "DMX控制台 - Belmaro",
    336,
    263,
    "宋体",
    9,
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SETFONT,
    WS_EX_APPWINDOW,
    kConsoleControls,
};

// clang-format off
constexpr std::array kAboutControls = {
    ControlTemplate{IDC_STATIC, Icon,       "128",                  11, 17, 20, 20, SS_ICON},
    ControlTemplate{IDC_STATIC, Static,     "Orvanel 1.1 版",       40, 10, 119, 8, SS_NOPREFIX | WS_GROUP},
    ControlTemplate{IDC_STATIC, Static,     "DMX512 六路灯光控制台", 40, 25, 119, 8, WS_GROUP},
    ControlTemplate{IDOK,       PushButton, "确定",                178,  7, 50, 14, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP},
};
// clang-format on

constexpr DialogTemplate kAbout{
    IDD_ABOUTBOX,
    "关于 Orvanel",
    235,
    55,
    "宋体",
    9,
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    0,
    kAboutControls,
};

// clang-format off
constexpr std::array kPortSettingsControls = {
    ControlTemplate{IDOK,          PushButton,   "确定",    130,  7, 50,  14, kButton | BS_DEFPUSHBUTTON},
    ControlTemplate{IDCANCEL,      PushButton,   "取消",    130, 24, 50,  14, kButton},
    ControlTemplate{IDC_STATIC,    Static,       "串口:",     7, 13, 19,   8, kLabel},
    ControlTemplate{IDC_PORT_LIST, DropDownList, "",         36,  9, 48, 143, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    ControlTemplate{IDC_STATIC,    Static,       "波特率:",   7, 33, 27,   8, kLabel},
    ControlTemplate{IDC_BAUD,      Edit,         "",         36, 29, 48,  14, kEdit},
    ControlTemplate{IDC_STATIC,    Static,       "接口:",     7, 53, 19,   8, kLabel},
    ControlTemplate{IDC_OUTPUT_KIND, DropDownList, "",       36, 49, 94,  60, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    ControlTemplate{IDC_STATIC,    Static,       "域:",       7, 71, 19,   8, kLabel},
    ControlTemplate{IDC_UNIVERSE,  Edit,         "",         36, 67, 48,  14, kEdit},
    ControlTemplate{IDC_STATIC,    Static,       "地址:",     7, 89, 19,   8, kLabel},
    ControlTemplate{IDC_ADDRESS,   Edit,         "",         36, 85, 94,  14, kEdit},
    ControlTemplate{IDC_STATIC,    Static,       "留空：sACN 组播，Art-Net 节点或广播", 36, 101, 147, 8, kLabel},
    ControlTemplate{IDC_STATIC,    Static,       "网卡:",     7, 117, 19,   8, kLabel},
    ControlTemplate{IDC_INTERFACE, DropDownList, "",         36, 113, 144, 60, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    ControlTemplate{IDC_STATIC,    Static,       "节点:",     7, 135, 19,   8, kLabel},
    ControlTemplate{IDC_NODE_LIST, DropDownList, "",         36, 131, 144, 60, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
};
// clang-format on

constexpr DialogTemplate kPortSettings{
    IDD_PORT_SETTINGS,
    "串口设置",
    187,
    152,
    "宋体",
    10,
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    0,
    kPortSettingsControls,
};
} // namespace

const DialogTemplate& dialogTemplate(int id)
{
    switch (id) {
    case IDD_CONSOLE:
        return kConsole;
    case IDD_PORT_SETTINGS:
        return kPortSettings;
    case IDD_ABOUTBOX:
        return kAbout;
    default:
        // A missing template is a fault of the build, not of the run.
        std::abort();
    }
}
