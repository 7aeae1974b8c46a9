#include "OutputText.h"

#include "framework/FormatString.h"
#include "framework/Resources.h"
#include "res/resource.h"

#include <iterator>

namespace {
// The kinds' names, in the order of OutputKind.
constexpr int kKindTextIds[] = {IDS_OUTPUT_SERIAL_LINE, IDS_OUTPUT_USB_PRO, IDS_OUTPUT_SACN,
                                IDS_OUTPUT_ART_NET};
static_assert(std::size(kKindTextIds) == kOutputKindCount, "every kind has its name");
} // namespace

std::string describeOutput(const OutputSettings& settings, bool open, const OutputStatus& status)
{
    std::string text = loadString(kKindTextIds[static_cast<size_t>(settings.kind)]);
    text += '\n';
    if (outputKindRow(settings.kind).transport == OutputTransport::Network)
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
