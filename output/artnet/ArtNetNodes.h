#pragma once

#include "ArtNetPacket.h"
#include "output/FrameOutput.h"

#include <chrono>
#include <map>
#include <utility>
#include <vector>

// The Art-Net nodes that have answered polls, each forgotten after 10 s without an answer.
class ArtNetNodes
{
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    // A node's answer, heard at now from the address from.
    void Heard(const ArtNetNodeReply& reply, uint32_t from, TimePoint now);
    // Forgets the nodes silent for too long by now.
    void Forget(TimePoint now);
    void Clear() { m_nodes.clear(); }

    // The addresses of the nodes with an output of portAddress, each once.
    std::vector<uint32_t> Subscribers(uint16_t portAddress) const;
    // The nodes for the operator, in the order of their addresses.
    std::vector<HeardReceiver> Receivers() const;

private:
    struct Node
    {
        ArtNetNodeReply reply;
        TimePoint heard;
    };
    // By address and bind index: a device with more than four ports answers once per four.
    std::map<std::pair<uint32_t, uint8_t>, Node> m_nodes;
};
