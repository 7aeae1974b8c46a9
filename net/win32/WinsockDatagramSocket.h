#pragma once

#include "WinsockApi.h"
#include "net/DatagramSocket.h"

// A UDP socket through Winsock 2. Winsock is started with each open and cleaned up with each
// close, so nothing of it stays behind while the socket is closed.
class WinsockDatagramSocket : public DatagramSocket
{
public:
    WinsockDatagramSocket() = default;
    ~WinsockDatagramSocket() override;

    WinsockDatagramSocket(const WinsockDatagramSocket&) = delete;
    WinsockDatagramSocket& operator=(const WinsockDatagramSocket&) = delete;

    bool open(const Ipv4Endpoint& destination) override;
    bool send(std::span<const uint8_t> datagram) override;
    void close() override;
    const OpenFailure& openFailure() const override { return m_failure; }
    const std::string& sendFailure() const override { return m_sendFailure; }

private:
    SOCKET m_socket = INVALID_SOCKET; // INVALID_SOCKET while closed
    OpenFailure m_failure;
    std::string m_sendFailure;
};
