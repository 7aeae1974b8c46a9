#include "OutputText.h"

#include "framework/FormatString.h"
#include "framework/Resources.h"
#include "net/Ipv4Address.h"
#include "res/resource.h"

#include <iterator>

namespace {
// The kinds' names, in the order of OutputKind.
constexpr int kKindTextIds[] = {IDS_OUTPUT_SERIAL_LINE, IDS_OUTPUT_USB_PRO, IDS_OUTPUT_SACN,
                                IDS_OUTPUT_ART_NET};
static_assert(std::size(kKindTextIds) == kOutputKindCount, "every kind has its name");

// Where a network output's frames go, as the status has it: "广播", "3 个节点", "发往 …".
std::string recipientsText(const OutputSettings& settings, const OutputStatus& status)
{
    switch (status.recipients) {
    case Recipients::Typed:
        return AfxFormatString(IDS_OUTPUT_TO_ADDRESS,
                               {addressText(destinationAddress(settings.address, 0).value_or(0))});
    case Recipients::Multicast:
        return loadString(IDS_OUTPUT_MULTICAST);
    case Recipients::Broadcast:
        return loadString(IDS_OUTPUT_BROADCAST);
    case Recipients::Heard:
        return AfxFormatString(IDS_OUTPUT_NODES, {std::to_string(status.recipientCount)});
    case Recipients::None:
        break;
    }
    return {};
}
} // namespace

std::string describeOutput(const OutputSettings& settings, bool open, const OutputStatus& status)
{
    std::string text = loadString(kKindTextIds[static_cast<size_t>(settings.kind)]);
    text += '\n';
    const bool network = outputKindRow(settings.kind).transport == OutputTransport::Network;
    if (network)
        text += AfxFormatString(IDS_OUTPUT_UNIVERSE, {std::to_string(settings.universe)});
    else
        text += "COM" + std::to_string(settings.port);
    if (!open) {
        text += '\n';
        text += loadString(IDS_OUTPUT_NOT_OPEN);
    } else if (network && !status.networkInterface.empty()) {
        text += '\n' + AfxFormatString(IDS_OUTPUT_INTERFACE, {status.networkInterface});
        text += '\n' + recipientsText(settings, status);
    }
    return text;
}
