#pragma once

#include "net/DatagramSocket.h"

#include <vector>

// A datagram socket that records where it was opened towards and every datagram that went out,
// and fails as told.
class FakeDatagramSocket : public DatagramSocket
{
public:
    std::vector<Ipv4Endpoint> opened;            // every open that succeeded, in order
    std::vector<std::vector<uint8_t>> datagrams; // every datagram sent
    bool isOpen = false;
    OpenFailure refusal;    // opens fail so unless its cause is None
    bool failSends = false; // sends fail, for sendFailureText
    std::string sendFailureText = "Network is down";

    bool open(const Ipv4Endpoint& destination) override
    {
        if (isOpen || refusal.cause != OpenFailure::Cause::None)
            return false;
        opened.push_back(destination);
        return isOpen = true;
    }
    bool send(std::span<const uint8_t> datagram) override
    {
        if (!isOpen || failSends)
            return false;
        datagrams.emplace_back(datagram.begin(), datagram.end());
        return true;
    }
    void close() override { isOpen = false; }
    const OpenFailure& openFailure() const override { return refusal; }
    const std::string& sendFailure() const override { return sendFailureText; }
};
