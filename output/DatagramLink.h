#pragma once

#include "net/DatagramSocket.h"

#include <span>
#include <string>

// What the network outputs share: a socket opened towards the destination the operator typed,
// or the kind's own, with the failure kept and warned of when that cannot be; and datagrams sent
// there. Sends that fail are warned of once when they start failing and once when they go
// through again, not at every frame; the datagram is lost.
class DatagramLink
{
public:
    explicit DatagramLink(DatagramSocket& socket) : m_socket(socket) {}

    // Opens towards address as destinationAddress reads it (blank: defaultAddress), at port.
    bool open(const std::string& address, uint32_t defaultAddress, uint16_t port);
    // Keeps and warns of a universe outside first to last, which what names, found before
    // anything was opened; true when it is outside.
    bool refuseOutside(const std::string& what, int universe, int first, int last);
    void close();
    bool isOpen() const { return m_open; }
    void send(std::span<const uint8_t> datagram);
    // Why the last open failed.
    const OpenFailure& lastOpenFailure() const { return m_failure; }

private:
    // Keeps and warns of a failure; returns false.
    bool refuse(const OpenFailure& failure, const std::string& warning);

    DatagramSocket& m_socket;
    bool m_open = false;
    bool m_failing = false;    // the last send failed
    std::string m_destination; // the one open now, "a.b.c.d:port"
    OpenFailure m_failure;
};
