#include "SacnOutput.h"

#include "SacnIdentity.h"

namespace {
// Receivers release a universe once they get one of these; three make losing all unlikely.
constexpr int kTerminationPackets = 3;
} // namespace

SacnOutput::~SacnOutput()
{
    Close();
}

bool SacnOutput::Open(int universe, const std::string& address)
{
    Close();
    if (m_link.refuseOutside("sACN universe", universe, kSacnFirstUniverse, kSacnLastUniverse))
        return false;
    m_universe = static_cast<uint16_t>(universe);
    m_source = &thisMachinesSacnSource();
    const uint32_t multicastGroup = 0xEFFF0000 | m_universe; // 239.255.hi.lo
    return m_link.open(address, multicastGroup, kSacnPort);
}

void SacnOutput::Close()
{
    if (m_lastFrame)
        for (int i = 0; i < kTerminationPackets; ++i)
            send(SacnStream::Terminated, *m_lastFrame);
    m_lastFrame.reset();
    m_link.close();
}

void SacnOutput::WriteFrame(const DmxFrame& frame)
{
    if (!m_link.isOpen())
        return;
    m_lastFrame = frame;
    send(SacnStream::Live, frame);
}

void SacnOutput::send(SacnStream stream, const DmxFrame& frame)
{
    m_link.send(sacnDataPacket(*m_source, m_universe, m_sequence++, stream, frame));
}
