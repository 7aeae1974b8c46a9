#include "SacnOutput.h"

#include "SacnIdentity.h"

namespace {
// Receivers release a universe once they get one of these; three make losing all unlikely.
constexpr int kTerminationPackets = 3;
constexpr std::chrono::seconds kDiscoveryInterval{10};
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
    if (IsOpen() && LastFrame()) {
        for (int i = 0; i < kTerminationPackets; ++i)
            SendPacket(SacnStream::Terminated, *LastFrame());
    }
    NetworkOutput::Close();
}

void SacnOutput::Opened(TimePoint now, bool)
{
    AnnounceUniverse(now);
}

bool SacnOutput::SendFrame(const DmxFrame& frame)
{
    SendPacket(SacnStream::Live, frame);
    return true;
}

void SacnOutput::PollProtocol(TimePoint now)
{
    if (now >= m_nextDiscovery)
        AnnounceUniverse(now);
}

void SacnOutput::SendPacket(SacnStream stream, const DmxFrame& frame)
{
    Send(sacnDataPacket(Source(), Universe(), m_sequence++, stream, frame));
}

void SacnOutput::AnnounceUniverse(TimePoint now)
{
    // Also while the data goes to one receiver: the group is where sources are looked for.
    const uint16_t universes[] = {Universe()};
    Send(sacnDiscoveryPacket(Source(), universes), {kSacnDiscoveryGroup, kSacnPort});
    m_nextDiscovery = now + kDiscoveryInterval;
}

const SacnSource& SacnOutput::Source()
{
    if (!m_source)
        m_source = &thisMachinesSacnSource();
    return *m_source;
}
