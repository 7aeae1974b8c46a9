#include "DmxOutput.h"

#include "artnet/ArtNetOutput.h"
#include "sacn/SacnOutput.h"
#include "serial/SerialLineOutput.h"
#include "serial/UsbProOutput.h"

#include <iterator>
#include <type_traits>
#include <utility>

namespace {

using MakeOutput = std::unique_ptr<FrameOutput> (*)(CSerialPort& port, DatagramSocket& socket);

// An output on the port or on the socket, whichever it is made for.
template <typename Output>
std::unique_ptr<FrameOutput> makeOutput(CSerialPort& port, DatagramSocket& socket)
{
    if constexpr (std::is_constructible_v<Output, CSerialPort&>)
        return std::make_unique<Output>(port);
    else
        return std::make_unique<Output>(socket);
}

// Each kind's output.
constexpr std::pair<OutputKind, MakeOutput> kMakers[] = {
    {OutputKind::SerialLine, makeOutput<SerialLineOutput>},
    {OutputKind::UsbPro, makeOutput<UsbProOutput>},
    {OutputKind::Sacn, makeOutput<SacnOutput>},
    {OutputKind::ArtNet, makeOutput<ArtNetOutput>},
};
static_assert(std::size(kMakers) == kOutputKindCount, "every kind has its output");

size_t indexOf(OutputKind kind)
{
    return static_cast<size_t>(kind);
}

} // namespace

DmxOutput::DmxOutput(CSerialPort& port, DatagramSocket& socket) : m_socket(socket)
{
    for (const auto& [kind, make] : kMakers)
        m_outputs[indexOf(kind)] = make(port, socket);
    m_current = m_outputs[indexOf(m_settings.kind)].get();
}

bool DmxOutput::Open(const OutputSettings& settings)
{
    m_settings = settings;
    m_current = m_outputs[indexOf(settings.kind)].get();
    return m_current->Open(settings);
}
