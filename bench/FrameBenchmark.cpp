// Sends DMX frames through the Linux backend to a pseudo-terminal, as a plain serial line and as
// a DMX USB Pro widget, and reports what each frame costs beyond its 50 ms pause: wall-clock
// overhead and CPU time of the sending thread.
#include "dmx/FrameSender.h"
#include "output/SerialLineOutput.h"
#include "output/UsbProOutput.h"
#include "serial/SerialPort.h"
#include "serial/linux/LinuxSerialDevice.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class Strips : public FieldReader
{
public:
    int GetDlgItemInt(int nId) const override
    {
        return nId < IDC_VALUE1 ? nId - IDC_CHANNEL1 + 1 : 128;
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

    // The other end of the line: takes every byte as it comes.
    std::atomic<bool> done = false;
    std::atomic<long> received = 0;
    std::thread reader([&] {
        char buffer[4096];
        while (!done) {
            pollfd pfd{master, POLLIN, 0};
            if (poll(&pfd, 1, 100) > 0) {
                const ssize_t n = read(master, buffer, sizeof buffer);
                if (n > 0)
                    received += n;
            }
        }
    });

    LinuxSerialDevice device(PortResolver(root / "dev", root / "sys"));
    CSerialPort port(device);
    if (!port.Open(1, kFrameBaudRate)) {
        std::fprintf(stderr, "cannot open the pseudo-terminal\n");
        return 1;
    }
    SerialLineOutput line(port);
    UsbProOutput pro(port);
    const struct
    {
        const char* name;
        FrameOutput& output;
        long bytesPerFrame;
    } kinds[] = {{"plain serial line", line, 513}, {"DMX USB Pro", pro, 518}};

    bool allArrived = true;
    for (const auto& kind : kinds) {
        received = 0;
        const Cost cost = sendFrames(kind.output, frames);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        std::printf("%s: %d frames, %ld bytes received (expected %ld)\n", kind.name, frames,
                    received.load(), frames * kind.bytesPerFrame);
        std::printf("  wall per frame: %.3f ms, overhead beyond the %u ms pause: %.3f ms\n",
                    cost.wallMs, kFramePauseMs, cost.wallMs - kFramePauseMs);
        std::printf("  CPU per frame (sending thread): %.4f ms\n", cost.cpuMs);
        allArrived = allArrived && received == frames * kind.bytesPerFrame;
    }
    done = true;
    reader.join();
    port.Close();
    fs::remove_all(root);
    return allArrived ? 0 : 1;
}
