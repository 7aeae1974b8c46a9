#pragma once

#include "net/DatagramSocket.h"

#include <deque>
#include <vector>

// A datagram socket that records how it was opened and every datagram that went out, hands out
// the datagrams queued for it, and fails as told.
class FakeDatagramSocket : public DatagramSocket
{
public:
    std::vector<Ipv4Endpoint> opened;            // the destination of every open that succeeded
    std::vector<std::vector<uint8_t>> datagrams; // every datagram sent
    std::deque<ReceivedDatagram> incoming;       // what receive hands out while open
    bool isOpen = false;
    OpenFailure refusal;    // opens fail so unless its cause is None
    bool failSends = false; // sends fail, for sendFailureText
    std::string sendFailureText = "Network is down";

    bool open(const SocketSetup& setup) override
    {
        if (isOpen || refusal.cause != OpenFailure::Cause::None)
            return false;
        opened.push_back(setup.destination);
        return isOpen = true;
    }
    bool send(std::span<const uint8_t> datagram, const Ipv4Endpoint&) override
    {
        if (!isOpen || failSends)
            return false;
        datagrams.emplace_back(datagram.begin(), datagram.end());
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
};
