#include "framework/Resources.h"
#include "output/OutputKinds.h"
#include "resource.h"

#include <algorithm>
#include <array>

namespace {
// The port list in port order: entry i is COM(i + 1). The lists do not sort, so they stay so.
constexpr std::array kPortSettingsInitData = {
    DlgInitEntry{IDC_PORT_LIST, CB_ADDSTRING, "COM1"},
    DlgInitEntry{IDC_PORT_LIST, CB_ADDSTRING, "COM2"},
    DlgInitEntry{IDC_PORT_LIST, CB_ADDSTRING, "COM3"},
    DlgInitEntry{IDC_PORT_LIST, CB_ADDSTRING, "COM4"},
    DlgInitEntry{IDC_PORT_LIST, CB_ADDSTRING, "COM5"},
    DlgInitEntry{IDC_PORT_LIST, CB_ADDSTRING, "COM6"},
    DlgInitEntry{IDC_PORT_LIST, CB_ADDSTRING, "COM7"},
    DlgInitEntry{IDC_PORT_LIST, CB_ADDSTRING, "COM8"},
    // The kinds of interface, in the order of OutputKind.
    DlgInitEntry{IDC_OUTPUT_KIND, CB_ADDSTRING, "普通串口"},
    DlgInitEntry{IDC_OUTPUT_KIND, CB_ADDSTRING, "DMX USB Pro"},
    DlgInitEntry{IDC_OUTPUT_KIND, CB_ADDSTRING, "sACN (E1.31)"},
    DlgInitEntry{IDC_OUTPUT_KIND, CB_ADDSTRING, "Art-Net"},
};
static_assert(std::ranges::count(kPortSettingsInitData, IDC_OUTPUT_KIND, &DlgInitEntry::id) ==
                  kOutputKindCount,
              "the list offers every kind");
} // namespace

std::span<const DlgInitEntry> dialogInitData(int id)
{
    switch (id) {
    case IDD_PORT_SETTINGS:
        return kPortSettingsInitData;
    default:
        return {};
    }
}
