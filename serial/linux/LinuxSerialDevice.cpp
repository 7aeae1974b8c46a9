#include "LinuxSerialDevice.h"

#include "Termios2.h"
#include "base/Log.h"
#include "base/SystemErrorText.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

template <typename Call> auto retryOnInterrupt(Call call)
{
    decltype(call()) rc;
    do
        rc = call();
    while (rc < 0 && errno == EINTR);
    return rc;
}

void warn(const std::string& text)
{
    writeLog(LogCategory::Serial, LogLevel::Warning, text);
}

std::string reason(int error)
{
    std::string text = systemErrorText(error);
    if (error == EACCES || error == EPERM)
        text += " (add your user to the dialout group)";
    else if (error == EWOULDBLOCK || error == EBUSY)
        text = "in use by another program";
    return text;
}

OpenFailure::Cause causeOf(int error)
{
    if (error == EACCES || error == EPERM)
        return OpenFailure::Cause::PermissionDenied;
    if (error == EWOULDBLOCK || error == EBUSY)
        return OpenFailure::Cause::InUse;
    return OpenFailure::Cause::SystemError;
}

} // namespace

SerialDevice& platformSerialDevice()
{
    static LinuxSerialDevice device;
    return device;
}

LinuxSerialDevice::LinuxSerialDevice(PortResolver resolver) : m_resolver(std::move(resolver)) {}

LinuxSerialDevice::~LinuxSerialDevice()
{
    close();
}

bool LinuxSerialDevice::openExclusive(int portNumber)
{
    if (m_fd >= 0) {
        errno = EBUSY;
        return false;
    }
    const auto path = m_resolver.devicePath(portNumber);
    if (!path) {
        warn("COM" + std::to_string(portNumber) + ": no such serial port on this machine");
        m_failure = {OpenFailure::Cause::NoSuchPort, {}, {}};
        errno = ENOENT;
        return false;
    }
    m_path = *path;
    if (!openPath(*path)) {
        const int error = errno;
        warn("cannot open " + *path + " as COM" + std::to_string(portNumber) + ": " +
             reason(error));
        m_failure = {causeOf(error), *path, systemErrorText(error)};
        errno = error;
        return false;
    }
    m_pending = {};
    m_timeouts = {};
    return true;
}

bool LinuxSerialDevice::openPath(const std::string& path)
{
    const int fd = retryOnInterrupt(
        [&] { return ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC); });
    if (fd < 0)
        return false;
    // flock keeps out every program that asks for the lock, root included; TIOCEXCL refuses
    // every further open by a program that is not root. A root program that does not ask for
    // the lock still gets in, as the kernel lets root past TIOCEXCL.
    const bool exclusive = isatty(fd) &&
                           retryOnInterrupt([&] { return flock(fd, LOCK_EX | LOCK_NB); }) == 0 &&
                           ioctl(fd, TIOCEXCL) == 0;
    if (!exclusive) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    m_fd = fd;
    return true;
}

bool LinuxSerialDevice::setEventMask(uint32_t)
{
    // Nothing here waits for device events.
    return m_fd >= 0;
}

bool LinuxSerialDevice::setQueueSizes(uint32_t, uint32_t)
{
    // The kernel sizes its tty buffers itself.
    return m_fd >= 0;
}

bool LinuxSerialDevice::purge(uint32_t flags)
{
    const bool output = flags & (PURGE_TXABORT | PURGE_TXCLEAR);
    const bool input = flags & (PURGE_RXABORT | PURGE_RXCLEAR);
    if (flags & PURGE_TXABORT)
        m_pending = {};
    if (!output && !input)
        return m_fd >= 0;
    const int queue = output && input ? TCIOFLUSH : output ? TCOFLUSH : TCIFLUSH;
    return retryOnInterrupt([&] { return tcflush(m_fd, queue); }) == 0;
}

bool LinuxSerialDevice::setTimeouts(const CommTimeouts& timeouts)
{
    m_timeouts = timeouts;
    return m_fd >= 0;
}

bool LinuxSerialDevice::getLineSettings(LineSettings& settings)
{
    return readTtyLineSettings(m_fd, settings);
}

bool LinuxSerialDevice::setLineSettings(const LineSettings& settings)
{
    if (writeTtyLineSettings(m_fd, settings))
        return true;
    // EINVAL stands for settings or a rate the device cannot make, which the cause says.
    const int error = errno;
    m_failure = {OpenFailure::Cause::SettingsRefused, m_path,
                 error == EINVAL ? std::string() : systemErrorText(error)};
    errno = error;
    return false;
}

bool LinuxSerialDevice::setDtr(bool raised)
{
    const int lines = TIOCM_DTR;
    return retryOnInterrupt([&] { return ioctl(m_fd, raised ? TIOCMBIS : TIOCMBIC, &lines); }) == 0;
}

WriteStatus LinuxSerialDevice::startWrite(const void* data, size_t length, size_t& transferred)
{
    m_pending = {static_cast<const unsigned char*>(data), length, 0, std::nullopt};
    const uint64_t limitMs = uint64_t{m_timeouts.WriteTotalTimeoutMultiplier} * length +
                             m_timeouts.WriteTotalTimeoutConstant;
    if (limitMs > 0)
        m_pending.deadline = Clock::now() + std::chrono::milliseconds(limitMs);

    if (!writeAvailable())
        return writeFailed();
    // Done within the call only when the kernel holds nothing back; the transmitter itself
    // still has at most a few bytes to shift out.
    if (m_pending.written == length && queuedBytes() == 0) {
        if (!drain())
            return writeFailed();
        transferred = length;
        return WriteStatus::Completed;
    }
    return WriteStatus::Pending;
}

WriteStatus LinuxSerialDevice::waitForWrite(size_t& transferred)
{
    while (m_pending.written < m_pending.length) {
        if (!waitWritable())
            return errno == ETIMEDOUT ? cutShort(transferred) : writeFailed();
        if (!writeAvailable())
            return writeFailed();
    }
    if (m_pending.deadline) {
        // tcdrain cannot be bounded; watch the queue empty until the deadline instead.
        while (queuedBytes() > 0) {
            if (Clock::now() >= *m_pending.deadline)
                return cutShort(transferred);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    if (!drain())
        return writeFailed();
    transferred = m_pending.length;
    return WriteStatus::Completed;
}

// Keeps the system's reason for the failure of the write under way.
WriteStatus LinuxSerialDevice::writeFailed()
{
    m_writeFailure = systemErrorText(errno);
    return WriteStatus::Failed;
}

// Writes what the kernel takes without blocking.
bool LinuxSerialDevice::writeAvailable()
{
    while (m_pending.written < m_pending.length) {
        const ssize_t n = retryOnInterrupt([&] {
            return ::write(m_fd, m_pending.data + m_pending.written,
                           m_pending.length - m_pending.written);
        });
        if (n < 0)
            return errno == EAGAIN;
        m_pending.written += static_cast<size_t>(n);
    }
    return true;
}

// Waits until the tty takes more bytes; false with ETIMEDOUT when the deadline passed first.
bool LinuxSerialDevice::waitWritable()
{
    for (;;) {
        int timeoutMs = -1;
        if (m_pending.deadline) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(*m_pending.deadline - Clock::now());
            if (left.count() <= 0) {
                errno = ETIMEDOUT;
                return false;
            }
            timeoutMs = static_cast<int>(left.count());
        }
        pollfd pfd{m_fd, POLLOUT, 0};
        const int rc = retryOnInterrupt([&] { return poll(&pfd, 1, timeoutMs); });
        if (rc < 0)
            return false;
        if (rc == 0)
            continue;
        if (pfd.revents & (POLLERR | POLLHUP | POLLNVAL)) {
            errno = EIO;
            return false;
        }
        return true;
    }
}

bool LinuxSerialDevice::drain()
{
    return retryOnInterrupt([&] { return tcdrain(m_fd); }) == 0;
}

size_t LinuxSerialDevice::queuedBytes() const
{
    int queued = 0;
    if (ioctl(m_fd, TIOCOUTQ, &queued) < 0 || queued < 0)
        return 0;
    return static_cast<size_t>(queued);
}

// The time limit ran out: what is still queued is dropped, as it would never be sent in time.
WriteStatus LinuxSerialDevice::cutShort(size_t& transferred)
{
    const size_t queued = std::min(queuedBytes(), m_pending.written);
    retryOnInterrupt([&] { return tcflush(m_fd, TCOFLUSH); });
    transferred = m_pending.written - queued;
    m_pending = {};
    return WriteStatus::Completed;
}

void LinuxSerialDevice::clearError()
{
    // A tty keeps no error state that blocks later writes.
    m_pending = {};
}

bool LinuxSerialDevice::read(void* buffer, size_t capacity, size_t& received)
{
    received = 0;
    // A tty that was hung up (its adapter pulled out) reads as empty for ever; poll tells it
    // from one where nothing has arrived yet.
    pollfd pfd{m_fd, POLLIN, 0};
    if (retryOnInterrupt([&] { return poll(&pfd, 1, 0); }) < 0 ||
        (pfd.revents & (POLLERR | POLLHUP | POLLNVAL)))
        return false;
    if (!(pfd.revents & POLLIN))
        return true;
    const ssize_t n = retryOnInterrupt([&] { return ::read(m_fd, buffer, capacity); });
    if (n < 0)
        return errno == EAGAIN;
    received = static_cast<size_t>(n);
    return true;
}

void LinuxSerialDevice::close()
{
    if (m_fd < 0)
        return;
    ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
    m_pending = {};
}
