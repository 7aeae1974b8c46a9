#include "ArtNetOutput.h"

#include "ArtNetPacket.h"
#include "base/Log.h"
#include "net/MachineIdentity.h"

#include <cstdio>

namespace {
constexpr std::chrono::milliseconds kPollInterval{2750};
// Beyond this many nodes, one broadcast costs the network less than a packet for each.
constexpr size_t kMostUnicastNodes = 40;
// Datagrams taken in per poll of the output: a flood cannot hold the console up.
constexpr int kMostDatagramsPerPoll = 64;

std::string longName()
{
    const std::string host = hostName();
    return host.empty() ? "Orvanel DMX512 console" : "Orvanel DMX512 console on " + host;
}
} // namespace

ArtNetOutput::ArtNetOutput(DatagramSocket& socket)
    : NetworkOutput(socket, OutputKind::ArtNet, "Art-Net port-address", kArtNetPort)
{}

uint32_t ArtNetOutput::DefaultDestination(uint16_t) const
{
    return kBroadcast;
}

uint16_t ArtNetOutput::ListeningPort() const
{
    return kArtNetPort;
}

void ArtNetOutput::Close()
{
    NetworkOutput::Close();
    m_skippingStartCode = false;
    m_listening = false;
    m_nodes.Clear();
}

OutputStatus ArtNetOutput::Status() const
{
    OutputStatus status = NetworkOutput::Status();
    if (!IsOpen())
        return status;
    status.heard = m_nodes.Receivers();
    const size_t subscribers = m_nodes.Subscribers(Universe()).size();
    if (!AddressTyped() && subscribers > 0 && subscribers <= kMostUnicastNodes) {
        status.recipients = Recipients::Heard;
        status.recipientCount = static_cast<int>(subscribers);
    }
    return status;
}

void ArtNetOutput::Opened(TimePoint now, bool listening)
{
    m_listening = listening;
    if (m_listening)
        SendPoll(now);
}

bool ArtNetOutput::SendFrame(const DmxFrame& frame)
{
    const bool skip = frame[0] != 0;
    if (skip && !m_skippingStartCode)
        writeLog(LogCategory::Network, LogLevel::Warning,
                 "Art-Net carries only frames of start code 0; frames of start code " +
                     std::to_string(frame[0]) + " are not sent");
    m_skippingStartCode = skip;
    if (skip)
        return false;
    const ArtDmxPacket packet = artDmxPacket(Universe(), m_sequence, frame);
    m_sequence = m_sequence == 255 ? 1 : static_cast<uint8_t>(m_sequence + 1);
    const std::vector<uint32_t> nodes = m_nodes.Subscribers(Universe());
    if (AddressTyped() || nodes.empty() || nodes.size() > kMostUnicastNodes) {
        Send(packet);
        return true;
    }
    for (const uint32_t node : nodes)
        Send(packet, {node, kArtNetPort});
    return true;
}

void ArtNetOutput::PollProtocol(TimePoint now)
{
    if (!m_listening)
        return;
    for (int taken = 0; taken < kMostDatagramsPerPoll; ++taken) {
        const std::optional<ReceivedDatagram> datagram = Socket().receive();
        if (!datagram)
            break;
        Receive(*datagram, now);
    }
    m_nodes.Forget(now);
    if (now >= m_nextPoll)
        SendPoll(now);
}

void ArtNetOutput::Receive(const ReceivedDatagram& datagram, TimePoint now)
{
    // Only what comes from the interface's own network: nodes elsewhere cannot be reached from it.
    if (!Interface().holds(datagram.from.address))
        return;
    if (const auto poll = parseArtPoll(datagram.bytes)) {
        if (poll->Asks(Universe()))
            AnswerPoll(datagram.from);
    } else if (const auto reply = parseArtPollReply(datagram.bytes)) {
        // A device without outputs takes no data: a controller, this console's own answer among
        // them.
        if (!reply->outputs.empty())
            m_nodes.Heard(*reply, datagram.from.address, now);
    }
}

void ArtNetOutput::SendPoll(TimePoint now)
{
    Send(artPollPacket(), {Interface().broadcast(), kArtNetPort});
    m_nextPoll = now + kPollInterval;
}

void ArtNetOutput::AnswerPoll(const Ipv4Endpoint& poller)
{
    // The node report counts the answers, as nodes do: "#0001 [0042] ...", 0001 for all is well.
    char report[64];
    std::snprintf(report, sizeof report, "#0001 [%04u] Sending port-address %u",
                  ++m_replies % 10000, static_cast<unsigned>(Universe()));
    const ArtPollReplyPacket reply = artPollReplyPacket({.address = Interface().address,
                                                         .portAddress = Universe(),
                                                         .shortName = "Orvanel",
                                                         .longName = longName(),
                                                         .nodeReport = report,
                                                         .sending = LastFrame().has_value()});
    Send(reply, {poller.address, kArtNetPort});
}
