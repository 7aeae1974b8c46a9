// Sends DMX frames through each kind of output and reports what a frame costs beyond its 50 ms
// pause: wall-clock overhead and CPU time of the sending thread. The serial kinds go through the
// Linux backend to a pseudo-terminal, the network kinds through the platform's socket to a
// receiver on 127.0.0.1; a reader takes every byte as it comes.
#include "dmx/FrameSender.h"
#include "net/DatagramSocket.h"
#include "output/OutputSettings.h"
#include "output/artnet/ArtNetOutput.h"
#include "output/sacn/SacnOutput.h"
#include "output/serial/SerialLineOutput.h"
#include "output/serial/UsbProOutput.h"
#include "serial/SerialPort.h"
#include "serial/linux/LinuxSerialDevice.h"

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Six strips on channels 1 to 6, at 128.
class Strips : public ChannelLevels
{
public:
    void ReadLevels(const SetLevel& set) const override
    {
        for (int channel = 1; channel <= 6; ++channel)
            set(channel, 128);
    }
};

double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// What one frame cost on average, pause included.
struct Cost
{
    double wallMs;
    double cpuMs; // of the sending thread
};

Cost sendFrames(FrameOutput& output, int frames)
{
    const Strips strips;
    FrameSender sender(output);
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = threadCpuSeconds();
    for (int i = 0; i < frames; ++i)
        sender.SendFrame(strips);
    const double cpu = threadCpuSeconds() - cpuStart;
    const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - start;
    return {wall.count() / frames, cpu * 1000.0 / frames};
}

// COM1 at the DMX rate for the serial kinds; the kind's first universe at 127.0.0.1 for the
// network kinds.
OutputSettings settingsOf(OutputKind kind)
{
    OutputSettings settings;
    settings.kind = kind;
    settings.universe = outputKindRow(kind).defaultUniverse;
    settings.address = "127.0.0.1";
    return settings;
}

// A UDP socket bound to 127.0.0.1 at port, -1 when it cannot be.
int receiverAt(uint16_t port)
{
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        return fd;
    std::perror("receiver");
    if (fd >= 0)
        close(fd);
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : 100;
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("pseudo-terminal");
        return 1;
    }
    char dir[] = "/tmp/orvanel-bench-XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    const fs::path root = dir;
    fs::create_directories(root / "dev");
    fs::create_symlink(ptsname(master), root / "dev" / "ttyUSB0");
    const int sacnReceiver = receiverAt(5568);
    const int artNetReceiver = receiverAt(6454);
    if (sacnReceiver < 0 || artNetReceiver < 0)
        return 1;

    // The other ends: take every byte as it comes.
    std::atomic<bool> done = false;
    std::atomic<long> received = 0;
    std::thread reader([&] {
        std::vector<pollfd> ends = {
            {master, POLLIN, 0}, {sacnReceiver, POLLIN, 0}, {artNetReceiver, POLLIN, 0}};
        char buffer[4096];
        while (!done) {
            if (poll(ends.data(), ends.size(), 100) <= 0)
                continue;
            for (const pollfd& end : ends) {
                const ssize_t n = (end.revents & POLLIN) ? read(end.fd, buffer, sizeof buffer) : 0;
                if (n > 0)
                    received += n;
            }
        }
    });

    LinuxSerialDevice device(PortResolver(root / "dev", root / "sys"));
    CSerialPort port(device);
    SerialLineOutput line(port);
    UsbProOutput pro(port);
    SacnOutput sacn(platformDatagramSocket());
    ArtNetOutput artNet(platformDatagramSocket());
    const struct
    {
        const char* name;
        FrameOutput& output;
        long bytesPerFrame;
        OutputSettings settings;
    } kinds[] = {
        {"plain serial line", line, 513, settingsOf(OutputKind::SerialLine)},
        {"DMX USB Pro", pro, 518, settingsOf(OutputKind::UsbPro)},
        {"sACN (E1.31)", sacn, 638, settingsOf(OutputKind::Sacn)},
        {"Art-Net", artNet, 530, settingsOf(OutputKind::ArtNet)},
    };

    bool allArrived = true;
    for (const auto& kind : kinds) {
        // The kinds share the port and the socket: each opens once the one before has closed.
        if (!kind.output.Open(kind.settings)) {
            std::fprintf(stderr, "%s: cannot open\n", kind.name);
            return 1;
        }
        // What an output says as it opens (a widget's questions) is not part of its frames.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        received = 0;
        const Cost cost = sendFrames(kind.output, frames);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        std::printf("%s: %d frames, %ld bytes received (expected %ld)\n", kind.name, frames,
                    received.load(), frames * kind.bytesPerFrame);
        std::printf("  wall per frame: %.3f ms, overhead beyond the %u ms pause: %.3f ms\n",
                    cost.wallMs, kFramePauseMs, cost.wallMs - kFramePauseMs);
        std::printf("  CPU per frame (sending thread): %.4f ms\n", cost.cpuMs);
        allArrived = allArrived && received == frames * kind.bytesPerFrame;
        kind.output.Close();
    }
    done = true;
    reader.join();
    fs::remove_all(root);
    return allArrived ? 0 : 1;
}
