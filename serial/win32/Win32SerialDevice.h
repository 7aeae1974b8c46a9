#pragma once

// The interface first: windows.h defines several of its constant names as macros, which would
// turn their declarations into nonsense. Whoever needs both includes this header before
// windows.h or includes only this header.
#include "serial/SerialDevice.h"

#include "base/win32/WindowsApi.h"

#include <chrono>
#include <string>

// A COM port of this machine through the Win32 communications API, written with overlapped
// transfers. A write counts as complete once the driver has nothing left of it and the
// transmitter has had time to shift out what the driver last handed it, so a rate change
// after a write does not reach bytes still on their way out.
class Win32SerialDevice : public SerialDevice
{
public:
    Win32SerialDevice() = default;
    // Releases the handles without touching the line, as the system would at process exit.
    ~Win32SerialDevice() override;

    Win32SerialDevice(const Win32SerialDevice&) = delete;
    Win32SerialDevice& operator=(const Win32SerialDevice&) = delete;

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

    bool isOpen() const { return m_hDevice != nullptr; }

private:
    void releaseHandles();
    void waitUntilSent(size_t length);
    std::chrono::nanoseconds characterTime() const;
    WriteStatus writeFailed();

    HANDLE m_hDevice = nullptr; // null while closed
    OVERLAPPED m_ovRead{};      // every read
    OVERLAPPED m_ovWrite{};     // every write
    bool m_writePending = false;
    size_t m_pendingLength = 0;
    // The device's full state as last read, so that setting the line keeps every member the
    // line settings do not name.
    DCB m_state{};
    bool m_haveState = false;
    std::string m_deviceName; // of the device open now
    OpenFailure m_failure;
    std::string m_writeFailure;
};
