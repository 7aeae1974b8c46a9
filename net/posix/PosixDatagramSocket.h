#pragma once

#include "net/DatagramSocket.h"

// A UDP socket through the POSIX socket calls.
class PosixDatagramSocket : public DatagramSocket
{
public:
    PosixDatagramSocket() = default;
    ~PosixDatagramSocket() override;

    PosixDatagramSocket(const PosixDatagramSocket&) = delete;
    PosixDatagramSocket& operator=(const PosixDatagramSocket&) = delete;

    bool open(const Ipv4Endpoint& destination) override;
    bool send(std::span<const uint8_t> datagram) override;
    void close() override;
    const OpenFailure& openFailure() const override { return m_failure; }
    const std::string& sendFailure() const override { return m_sendFailure; }

private:
    int m_fd = -1; // -1 while closed
    OpenFailure m_failure;
    std::string m_sendFailure;
};
