#include "SacnOutput.h"

#include "SacnIdentity.h"

namespace {
// Receivers release a universe once they get one of these; three make losing all unlikely.
constexpr int kTerminationPackets = 3;
} // namespace

SacnOutput::SacnOutput(DatagramSocket& socket)
    : NetworkOutput(socket, OutputKind::Sacn, "sACN universe", kSacnPort)
{}

SacnOutput::~SacnOutput()
{
    Close();
}

uint32_t SacnOutput::DefaultDestination(uint16_t universe) const
{
    return 0xEFFF0000 | universe; // 239.255.hi.lo
}

void SacnOutput::Close()
{
    if (m_lastFrame)
        for (int i = 0; i < kTerminationPackets; ++i)
            SendPacket(SacnStream::Terminated, *m_lastFrame);
    m_lastFrame.reset();
    NetworkOutput::Close();
}

void SacnOutput::WriteFrame(const DmxFrame& frame)
{
    if (!IsOpen())
        return;
    m_lastFrame = frame;
    SendPacket(SacnStream::Live, frame);
}

void SacnOutput::SendPacket(SacnStream stream, const DmxFrame& frame)
{
    if (!m_source)
        m_source = &thisMachinesSacnSource();
    Send(sacnDataPacket(*m_source, Universe(), m_sequence++, stream, frame));
}
