#include "ArtNetNodes.h"

#include <algorithm>

namespace {
// About three polls unanswered.
constexpr std::chrono::seconds kForgetAfter{10};
} // namespace

void ArtNetNodes::Heard(const ArtNetNodeReply& reply, uint32_t from, TimePoint now)
{
    // Some nodes leave their address out of the reply; the sender's is theirs then.
    ArtNetNodeReply node = reply;
    if (node.address == 0)
        node.address = from;
    m_nodes[{node.address, node.bindIndex}] = {std::move(node), now};
}

void ArtNetNodes::Forget(TimePoint now)
{
    std::erase_if(m_nodes,
                  [&](const auto& entry) { return now - entry.second.heard >= kForgetAfter; });
}

std::vector<uint32_t> ArtNetNodes::Subscribers(uint16_t portAddress) const
{
    std::vector<uint32_t> addresses;
    for (const auto& [key, node] : m_nodes) {
        if (std::ranges::count(node.reply.outputs, portAddress) &&
            !std::ranges::count(addresses, key.first))
            addresses.push_back(key.first);
    }
    return addresses;
}

std::vector<HeardReceiver> ArtNetNodes::Receivers() const
{
    std::vector<HeardReceiver> receivers;
    for (const auto& [key, node] : m_nodes)
        receivers.push_back({node.reply.shortName, key.first, node.reply.outputs});
    return receivers;
}
