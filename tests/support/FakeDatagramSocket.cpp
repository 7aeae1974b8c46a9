#include "FakeDatagramSocket.h"

bool FakeDatagramSocket::open(const Ipv4Endpoint& destination)
{
    if (isOpen || refusal.cause != OpenFailure::Cause::None)
        return false;
    opened.push_back(destination);
    return isOpen = true;
}

bool FakeDatagramSocket::send(std::span<const uint8_t> datagram)
{
    if (!isOpen || failSends)
        return false;
    datagrams.emplace_back(datagram.begin(), datagram.end());
    return true;
}
