#pragma once

#include "PortResolver.h"
#include "serial/SerialDevice.h"

#include <chrono>
#include <optional>

// A tty of this machine as the serial device. A write is complete when its bytes have left
// the transmitter, so a rate change after it never cuts the last byte short.
class LinuxSerialDevice : public SerialDevice
{
public:
    explicit LinuxSerialDevice(PortResolver resolver = PortResolver());
    ~LinuxSerialDevice() override;

    LinuxSerialDevice(const LinuxSerialDevice&) = delete;
    LinuxSerialDevice& operator=(const LinuxSerialDevice&) = delete;

    bool openExclusive(int portNumber) override;
    bool setEventMask(uint32_t mask) override;
    bool setQueueSizes(uint32_t inputBytes, uint32_t outputBytes) override;
    bool purge(uint32_t flags) override;
    bool setTimeouts(const CommTimeouts& timeouts) override;
    bool getLineSettings(LineSettings& settings) override;
    bool setLineSettings(const LineSettings& settings) override;
    bool setDtr(bool raised) override;
    WriteStatus startWrite(const void* data, size_t length, size_t& transferred) override;
    WriteStatus waitForWrite(size_t& transferred) override;
    void clearError() override;
    std::string writeFailure() const override { return m_writeFailure; }
    bool read(void* buffer, size_t capacity, size_t& received) override;
    void close() override;
    OpenFailure openFailure() const override { return m_failure; }

private:
    using Clock = std::chrono::steady_clock;

    struct PendingWrite
    {
        const unsigned char* data = nullptr;
        size_t length = 0;
        size_t written = 0;
        std::optional<Clock::time_point> deadline;
    };

    bool openPath(const std::string& path);
    bool writeAvailable();
    bool waitWritable();
    bool drain();
    size_t queuedBytes() const;
    WriteStatus cutShort(size_t& transferred);
    WriteStatus writeFailed();

    PortResolver m_resolver;
    int m_fd = -1;
    std::string m_path; // the device open now, or tried last
    OpenFailure m_failure;
    CommTimeouts m_timeouts;
    PendingWrite m_pending;
    std::string m_writeFailure;
};
