#include "FakeDatagramSocket.h"

bool FakeDatagramSocket::open(const Ipv4Endpoint& destination)
{
    m_failure = refuseOpen.value_or(OpenFailure{OpenFailure::Cause::SystemError, {}, "open"});
    if (isOpen || refuseOpen)
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
