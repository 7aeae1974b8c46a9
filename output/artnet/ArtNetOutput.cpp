#include "ArtNetOutput.h"

#include "ArtNetPacket.h"
#include "base/Log.h"

ArtNetOutput::ArtNetOutput(DatagramSocket& socket)
    : NetworkOutput(socket, OutputKind::ArtNet, "Art-Net port-address", kArtNetPort)
{}

uint32_t ArtNetOutput::DefaultDestination(uint16_t) const
{
    return 0xFFFFFFFF; // the limited broadcast
}

void ArtNetOutput::Close()
{
    NetworkOutput::Close();
    m_skippingStartCode = false;
}

void ArtNetOutput::WriteFrame(const DmxFrame& frame)
{
    if (!IsOpen())
        return;
    const bool skip = frame[0] != 0;
    if (skip && !m_skippingStartCode)
        writeLog(LogCategory::Network, LogLevel::Warning,
                 "Art-Net carries only frames of start code 0; frames of start code " +
                     std::to_string(frame[0]) + " are not sent");
    m_skippingStartCode = skip;
    if (skip)
        return;
    Send(artDmxPacket(Universe(), m_sequence, frame));
    m_sequence = m_sequence == 255 ? 1 : static_cast<uint8_t>(m_sequence + 1);
}
