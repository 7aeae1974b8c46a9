#pragma once

#include "SocketCalls.h"

#include <array>

// A UDP socket of this machine: the rules that hold on every platform, over the platform's calls.
class SystemDatagramSocket final : public DatagramSocket
{
public:
    SystemDatagramSocket() = default;
    ~SystemDatagramSocket() override { close(); }

    SystemDatagramSocket(const SystemDatagramSocket&) = delete;
    SystemDatagramSocket& operator=(const SystemDatagramSocket&) = delete;

    bool open(const SocketSetup& setup) override;
    bool send(std::span<const uint8_t> datagram, const Ipv4Endpoint& to) override;
    std::optional<ReceivedDatagram> receive() override;
    void close() override;
    const OpenFailure& openFailure() const override { return m_failure; }
    const std::string& sendFailure() const override { return m_sendFailure; }
    std::vector<NetworkInterface> interfaces() const override { return machineInterfaces(); }
    Route routeTo(uint32_t address) const override;

private:
    SocketHandle m_socket = kNoSocket;
    OpenFailure m_failure;
    std::string m_sendFailure;
    std::array<uint8_t, 65536> m_buffer{}; // room for the largest datagram
};
