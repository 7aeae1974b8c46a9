#include "OutputText.h"

#include "framework/FormatString.h"
#include "framework/Resources.h"
#include "res/resource.h"

namespace {
int kindTextId(OutputKind kind)
{
    switch (kind) {
    case OutputKind::UsbPro:
        return IDS_OUTPUT_USB_PRO;
    case OutputKind::Sacn:
        return IDS_OUTPUT_SACN;
    case OutputKind::ArtNet:
        return IDS_OUTPUT_ART_NET;
    case OutputKind::SerialLine:
        break;
    }
    return IDS_OUTPUT_SERIAL_LINE;
}
} // namespace

std::string describeOutput(const OutputSettings& settings, bool open)
{
    std::string text = loadString(kindTextId(settings.kind));
    text += '\n';
    if (isNetworkKind(settings.kind))
        text += AfxFormatString(IDS_OUTPUT_UNIVERSE, {std::to_string(settings.universe)});
    else
        text += "COM" + std::to_string(settings.port);
    if (!open) {
        text += '\n';
        text += loadString(IDS_OUTPUT_NOT_OPEN);
    }
    return text;
}
