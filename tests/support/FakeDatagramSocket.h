#pragma once

#include "net/DatagramSocket.h"

#include <optional>
#include <vector>

// A datagram socket that records where it was opened towards and every datagram that went out,
// and fails as told.
class FakeDatagramSocket : public DatagramSocket
{
public:
    std::vector<Ipv4Endpoint> opened;            // every open that succeeded, in order
    std::vector<std::vector<uint8_t>> datagrams; // every datagram sent
    bool isOpen = false;
    std::optional<OpenFailure> refuseOpen; // opens fail so
    bool failSends = false;                // sends fail, "Network is down"

    bool open(const Ipv4Endpoint& destination) override;
    bool send(std::span<const uint8_t> datagram) override;
    void close() override { isOpen = false; }
    const OpenFailure& openFailure() const override { return m_failure; }
    const std::string& sendFailure() const override { return m_sendFailure; }

private:
    OpenFailure m_failure;
    std::string m_sendFailure = "Network is down";
};
