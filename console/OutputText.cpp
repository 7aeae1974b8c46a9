#include "OutputText.h"

#include "framework/Resources.h"
#include "res/resource.h"

namespace {
int kindTextId(OutputKind kind)
{
    switch (kind) {
    case OutputKind::UsbPro:
        return IDS_OUTPUT_USB_PRO;
    case OutputKind::SerialLine:
        break;
    }
    return IDS_OUTPUT_SERIAL_LINE;
}
} // namespace

std::string describeOutput(const OutputSettings& settings, bool open)
{
    std::string text = loadString(kindTextId(settings.kind));
    text += "\nCOM" + std::to_string(settings.port);
    if (!open) {
        text += '\n';
        text += loadString(IDS_OUTPUT_NOT_OPEN);
    }
    return text;
}
