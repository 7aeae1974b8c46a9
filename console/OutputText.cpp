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
    const auto addLine = [&text](const std::string& line) {
        text += '\n';
        text += line;
    };
    if (!open) {
        addLine(loadString(IDS_OUTPUT_NOT_OPEN));
        return text;
    }
    if (network && !status.networkInterface.empty()) {
        addLine(AfxFormatString(IDS_OUTPUT_INTERFACE, {status.networkInterface}));
        addLine(recipientsText(settings, status));
    }
    if (!status.serialNumber.empty())
        addLine(AfxFormatString(IDS_OUTPUT_SERIAL_NUMBER, {status.serialNumber}));
    if (!status.firmwareVersion.empty())
        addLine(AfxFormatString(IDS_OUTPUT_FIRMWARE, {status.firmwareVersion}));
    if (status.noAnswer)
        addLine(loadString(IDS_OUTPUT_NO_ANSWER));
    if (status.writesFailing)
        addLine(loadString(IDS_OUTPUT_WRITES_FAILING));
    return text;
}
