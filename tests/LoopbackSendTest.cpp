// The platform's socket for real: outputs send to 127.0.0.1, typed, where this test reads them.
#include "net/Warnings.h"
#include "output/ArtNetOutput.h"
#include "output/SacnOutput.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "net/win32/WinsockApi.h"
#else
#include <arpa/inet.h>
#include <sys/select.h>
#include <unistd.h>
#define closesocket close
using SOCKET = int;
#endif

namespace {

std::vector<std::string> g_warnings;

// A UDP socket bound to port on 127.0.0.1, or none when the port is taken.
std::optional<SOCKET> bindLoopback(uint16_t port)
{
#ifdef _WIN32
    WSADATA winsock; // left started for the rest of the test program
    WSAStartup(MAKEWORD(2, 2), &winsock);
#endif
    const SOCKET receiver = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(receiver, reinterpret_cast<const sockaddr*>(&at), sizeof at) == 0)
        return receiver;
    closesocket(receiver);
    return std::nullopt;
}

// The next datagram; empty after a second without one.
std::vector<uint8_t> receive(SOCKET receiver)
{
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(receiver, &readable);
    timeval wait{1, 0};
    char buffer[2048];
    if (select(static_cast<int>(receiver) + 1, &readable, nullptr, nullptr, &wait) <= 0)
        return {};
    const auto n = recv(receiver, buffer, sizeof buffer, 0);
    return std::vector<uint8_t>(buffer, buffer + std::max<decltype(n)>(n, 0));
}

} // namespace

TEST(LoopbackSendTest, PacketsArriveInSequenceAndAnAbsentReceiverCostsNoFrames)
{
    const std::optional<SOCKET> receiver = bindLoopback(kSacnPort);
    ASSERT_TRUE(receiver) << "UDP port 5568 of 127.0.0.1 is taken";
    setNetworkWarningSink([](const char* text) { g_warnings.emplace_back(text); });
    SacnOutput sacn{platformDatagramSocket()};
    ASSERT_TRUE(sacn.Open(5, "127.0.0.1"));
    DmxFrame frame{};
    for (frame[1] = 10; frame[1] <= 20; frame[1] += 10)
        sacn.WriteFrame(frame);
    sacn.Close();
    // Sequence number, options and channel 1 of each packet; three mark the stream's end.
    for (const auto& fields :
         {std::vector{0, 0, 10}, {1, 0, 20}, {2, 0x40, 20}, {3, 0x40, 20}, {4, 0x40, 20}}) {
        const std::vector<uint8_t> packet = receive(*receiver);
        ASSERT_EQ(packet.size(), kSacnPacketLength);
        EXPECT_EQ((std::vector<int>{packet[111], packet[112], packet[126]}), fields);
    }
    closesocket(*receiver);

    // Nobody listens on the Art-Net port: its port-unreachable answers must not fail sends.
    ArtNetOutput art{platformDatagramSocket()};
    ASSERT_TRUE(art.Open(0, "127.0.0.1"));
    for (int i = 0; i < 5; ++i)
        art.WriteFrame(DmxFrame{});
    art.Close();
    setNetworkWarningSink(nullptr);
    EXPECT_TRUE(g_warnings.empty()) << g_warnings.front();
}
