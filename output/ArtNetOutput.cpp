#include "ArtNetOutput.h"

#include "net/Warnings.h"

namespace {
constexpr uint32_t kLimitedBroadcast = 0xFFFFFFFF;
} // namespace

ArtNetOutput::~ArtNetOutput()
{
    Close();
}

bool ArtNetOutput::Open(int portAddress, const std::string& address)
{
    Close();
    if (m_link.refuseOutside("Art-Net port-address", portAddress, 0, kArtNetLastPortAddress))
        return false;
    m_portAddress = static_cast<uint16_t>(portAddress);
    return m_link.open(address, kLimitedBroadcast, kArtNetPort);
}

void ArtNetOutput::Close()
{
    m_link.close();
    m_skippingStartCode = false;
}

void ArtNetOutput::WriteFrame(const DmxFrame& frame)
{
    if (!m_link.isOpen())
        return;
    const bool skip = frame[0] != 0;
    if (skip && !m_skippingStartCode)
        emitNetworkWarning("Art-Net carries only frames of start code 0; frames of start code " +
                           std::to_string(frame[0]) + " are not sent");
    m_skippingStartCode = skip;
    if (skip)
        return;
    m_link.send(artDmxPacket(m_portAddress, m_sequence, frame));
    m_sequence = m_sequence == 255 ? 1 : static_cast<uint8_t>(m_sequence + 1);
}
