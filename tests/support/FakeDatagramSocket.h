#pragma once

#include "net/DatagramSocket.h"

#include <deque>
#include <vector>

// A datagram socket that records how it was opened and every datagram that went out, hands out
// the datagrams queued for it, and fails as told; on a machine of the loopback and eth0
// (10.0.0.5/24), whose routes all lead out of eth0.
class FakeDatagramSocket : public DatagramSocket
{
public:
    std::vector<Ipv4Endpoint> opened;            // the destination of every open that succeeded
    SocketSetup setup;                           // of the last open that succeeded
    std::vector<std::vector<uint8_t>> datagrams; // every datagram sent
    std::vector<Ipv4Endpoint> sentTo;            // where each went
    std::deque<ReceivedDatagram> incoming;       // what receive hands out while open
    bool isOpen = false;
    OpenFailure refusal;    // opens fail so unless its cause is None
    bool portTaken = false; // opens that listen at a port fail
    bool failSends = false; // sends fail, for sendFailureText
    std::string sendFailureText = "Network is down";
    std::vector<NetworkInterface> machine = {
        {"lo", 0x7F000001, 0xFF000000, 1, true, true},
        {"eth0", 0x0A000005, 0xFFFFFF00, 2, true, false},
    };
    Route route{0x0A000005, {}};

    bool open(const SocketSetup& wanted) override
    {
        if (isOpen || refusal.cause != OpenFailure::Cause::None ||
            (portTaken && wanted.local.port != 0))
            return false;
        opened.push_back(wanted.destination);
        setup = wanted;
        return isOpen = true;
    }
    bool send(std::span<const uint8_t> datagram, const Ipv4Endpoint& to) override
    {
        if (!isOpen || failSends)
            return false;
        datagrams.emplace_back(datagram.begin(), datagram.end());
        sentTo.push_back(to);
        return true;
    }
    std::optional<ReceivedDatagram> receive() override
    {
        if (!isOpen || incoming.empty())
            return std::nullopt;
        ReceivedDatagram next = std::move(incoming.front());
        incoming.pop_front();
        return next;
    }
    void close() override { isOpen = false; }
    const OpenFailure& openFailure() const override { return refusal; }
    const std::string& sendFailure() const override { return sendFailureText; }
    std::vector<NetworkInterface> interfaces() const override { return machine; }
    Route routeTo(uint32_t) const override { return route; }
};
