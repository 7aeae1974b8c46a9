#include "Win32SerialDevice.h"

#include "base/Log.h"
#include "base/SystemErrorText.h"

#include <algorithm>
#include <cstdio>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// A 16550-style transmitter holds up to 16 bytes in its FIFO and one in the shift register
// after the driver has handed them over; Windows cannot say when those have left.
constexpr size_t kTransmitterBytes = 17;
// How long the driver's queue may take to empty beyond its nominal transmission time before
// the wait gives up (a stalled line must not hang the caller).
constexpr auto kQueueGrace = std::chrono::milliseconds(100);

// The operator's view of a refusal: no such port, in use (Windows gives a COM port to one
// program at a time, and says so as access denied), or another reason in the system's words.
OpenFailure failureOf(const char* deviceName, DWORD error)
{
    const std::string reason = systemErrorText(error);
    OpenFailure::Cause cause = OpenFailure::Cause::SystemError;
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        cause = OpenFailure::Cause::NoSuchPort;
    else if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)
        cause = OpenFailure::Cause::InUse;
    return {cause, deviceName, reason};
}

void warnOpenFailed(const char* deviceName, int portNumber, const char* step, DWORD error)
{
    const std::string reason = systemErrorText(error);
    const bool inUse = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
    char line[512];
    std::snprintf(line, sizeof line, "cannot open %s as COM%d: %s%s (error %lu)%s", deviceName,
                  portNumber, step, reason.c_str(), static_cast<unsigned long>(error),
                  inUse ? "; in use by another program" : "");
    writeLog(LogCategory::Serial, LogLevel::Warning, line);
}

HANDLE createManualResetEvent()
{
    return CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

void closeAndClear(HANDLE& handle)
{
    if (handle) {
        CloseHandle(handle);
        handle = nullptr;
    }
}

} // namespace

SerialDevice& platformSerialDevice()
{
    static Win32SerialDevice device;
    return device;
}

Win32SerialDevice::~Win32SerialDevice()
{
    close();
}

bool Win32SerialDevice::openExclusive(int portNumber)
{
    if (m_hDevice) {
        SetLastError(ERROR_BUSY);
        return false;
    }
    // The \\.\ form also reaches COM10 and above, which the plain name does not.
    char deviceName[32];
    std::snprintf(deviceName, sizeof deviceName, "\\\\.\\COM%d", portNumber);

    m_ovRead = OVERLAPPED{};
    m_ovRead.hEvent = createManualResetEvent();
    if (!m_ovRead.hEvent) {
        const DWORD error = GetLastError();
        warnOpenFailed(deviceName, portNumber, "no event: ", error);
        m_failure = failureOf(deviceName, error);
        return false;
    }
    m_ovWrite = OVERLAPPED{};
    m_ovWrite.hEvent = createManualResetEvent();
    if (!m_ovWrite.hEvent) {
        const DWORD error = GetLastError();
        closeAndClear(m_ovRead.hEvent);
        warnOpenFailed(deviceName, portNumber, "no event: ", error);
        m_failure = failureOf(deviceName, error);
        return false;
    }

    // No sharing: while this handle lives nobody else can open the port, and a port that
    // someone else holds cannot be opened here.
    HANDLE device = CreateFileA(deviceName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
    if (device == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        closeAndClear(m_ovRead.hEvent);
        closeAndClear(m_ovWrite.hEvent);
        warnOpenFailed(deviceName, portNumber, "", error);
        m_failure = failureOf(deviceName, error);
        SetLastError(error);
        return false;
    }
    m_hDevice = device;
    m_deviceName = deviceName;
    m_writePending = false;
    m_haveState = false;
    return true;
}

bool Win32SerialDevice::setEventMask(uint32_t mask)
{
    return m_hDevice && SetCommMask(m_hDevice, mask);
}

bool Win32SerialDevice::setQueueSizes(uint32_t inputBytes, uint32_t outputBytes)
{
    return m_hDevice && SetupComm(m_hDevice, inputBytes, outputBytes);
}

bool Win32SerialDevice::purge(uint32_t flags)
{
    return m_hDevice && PurgeComm(m_hDevice, flags);
}

bool Win32SerialDevice::setTimeouts(const CommTimeouts& timeouts)
{
    if (!m_hDevice)
        return false;
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = timeouts.ReadIntervalTimeout;
    t.ReadTotalTimeoutMultiplier = timeouts.ReadTotalTimeoutMultiplier;
    t.ReadTotalTimeoutConstant = timeouts.ReadTotalTimeoutConstant;
    t.WriteTotalTimeoutMultiplier = timeouts.WriteTotalTimeoutMultiplier;
    t.WriteTotalTimeoutConstant = timeouts.WriteTotalTimeoutConstant;
    return SetCommTimeouts(m_hDevice, &t);
}

bool Win32SerialDevice::getLineSettings(LineSettings& settings)
{
    if (!m_hDevice)
        return false;
    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    if (!GetCommState(m_hDevice, &dcb))
        return false;
    m_state = dcb;
    m_haveState = true;

    settings.BaudRate = dcb.BaudRate;
    settings.ByteSize = dcb.ByteSize;
    settings.Parity = dcb.Parity;
    settings.StopBits = dcb.StopBits;
    settings.EvtChar = dcb.EvtChar;
    settings.fBinary = dcb.fBinary;
    settings.fParity = dcb.fParity;
    settings.fOutxDsrFlow = dcb.fOutxDsrFlow;
    settings.fDtrControl = static_cast<uint8_t>(dcb.fDtrControl);
    settings.fOutxCtsFlow = dcb.fOutxCtsFlow;
    settings.fRtsControl = static_cast<uint8_t>(dcb.fRtsControl);
    settings.fOutX = dcb.fOutX;
    settings.fInX = dcb.fInX;
    settings.XonChar = dcb.XonChar;
    settings.XoffChar = dcb.XoffChar;
    settings.XonLim = dcb.XonLim;
    settings.XoffLim = dcb.XoffLim;
    return true;
}

bool Win32SerialDevice::setLineSettings(const LineSettings& settings)
{
    if (!m_hDevice)
        return false;
    // Start from the device's own state so that the members not named here keep its values;
    // a device that cannot report its state gets zeros there, which leave written bytes as
    // they are.
    DCB dcb = m_state;
    if (!m_haveState) {
        dcb = DCB{};
        dcb.DCBlength = sizeof(DCB);
        if (!GetCommState(m_hDevice, &dcb)) {
            dcb = DCB{};
            dcb.DCBlength = sizeof(DCB);
        }
    }
    dcb.BaudRate = settings.BaudRate;
    dcb.ByteSize = settings.ByteSize;
    dcb.Parity = settings.Parity;
    dcb.StopBits = settings.StopBits;
    dcb.EvtChar = settings.EvtChar;
    dcb.fBinary = settings.fBinary;
    dcb.fParity = settings.fParity;
    dcb.fOutxDsrFlow = settings.fOutxDsrFlow;
    dcb.fDtrControl = settings.fDtrControl & 3u;
    dcb.fOutxCtsFlow = settings.fOutxCtsFlow;
    dcb.fRtsControl = settings.fRtsControl & 3u;
    dcb.fOutX = settings.fOutX;
    dcb.fInX = settings.fInX;
    dcb.XonChar = settings.XonChar;
    dcb.XoffChar = settings.XoffChar;
    dcb.XonLim = settings.XonLim;
    dcb.XoffLim = settings.XoffLim;
    if (!SetCommState(m_hDevice, &dcb)) {
        m_failure = failureOf(m_deviceName.c_str(), GetLastError());
        m_failure.cause = OpenFailure::Cause::SettingsRefused;
        return false;
    }
    m_state = dcb;
    m_haveState = true;
    return true;
}

bool Win32SerialDevice::setDtr(bool raised)
{
    return m_hDevice && EscapeCommFunction(m_hDevice, raised ? SETDTR : CLRDTR);
}

WriteStatus Win32SerialDevice::startWrite(const void* data, size_t length, size_t& transferred)
{
    if (!m_hDevice || m_writePending || length > MAXDWORD) {
        m_writeFailure = "the port is closed or busy with another write";
        return WriteStatus::Failed;
    }
    // WriteFile resets the event itself; the offsets of a serial write stay zero.
    if (WriteFile(m_hDevice, data, static_cast<DWORD>(length), nullptr, &m_ovWrite)) {
        DWORD written = 0;
        GetOverlappedResult(m_hDevice, &m_ovWrite, &written, FALSE);
        waitUntilSent(written);
        transferred = written;
        return WriteStatus::Completed;
    }
    if (GetLastError() != ERROR_IO_PENDING)
        return writeFailed();
    m_writePending = true;
    m_pendingLength = length;
    return WriteStatus::Pending;
}

WriteStatus Win32SerialDevice::waitForWrite(size_t& transferred)
{
    if (!m_hDevice || !m_writePending) {
        m_writeFailure = "no write is under way";
        return WriteStatus::Failed;
    }
    DWORD written = 0;
    if (GetOverlappedResult(m_hDevice, &m_ovWrite, &written, TRUE)) {
        // A write that ran into its time-out also ends here, with fewer bytes than asked.
        m_writePending = false;
        waitUntilSent(written);
        transferred = written;
        return WriteStatus::Completed;
    }
    transferred = written;
    if (GetLastError() == ERROR_IO_INCOMPLETE)
        return WriteStatus::Incomplete;
    m_writePending = false;
    return writeFailed();
}

// Keeps the system's reason for the failure of the write under way.
WriteStatus Win32SerialDevice::writeFailed()
{
    m_writeFailure = systemErrorText(GetLastError());
    return WriteStatus::Failed;
}

void Win32SerialDevice::clearError()
{
    if (!m_hDevice)
        return;
    DWORD errors = 0;
    COMSTAT status{};
    ClearCommError(m_hDevice, &errors, &status);
}

bool Win32SerialDevice::read(void* buffer, size_t capacity, size_t& received)
{
    received = 0;
    if (!m_hDevice)
        return false;
    // Only what the driver holds already is asked for, so the read ends at once whatever the
    // read time-outs say.
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(m_hDevice, &errors, &status))
        return false;
    const DWORD wanted = static_cast<DWORD>(std::min<size_t>(status.cbInQue, capacity));
    if (wanted == 0)
        return true;
    DWORD got = 0;
    if (!ReadFile(m_hDevice, buffer, wanted, nullptr, &m_ovRead) &&
        GetLastError() != ERROR_IO_PENDING)
        return false;
    if (!GetOverlappedResult(m_hDevice, &m_ovRead, &got, TRUE))
        return false;
    received = got;
    return true;
}

void Win32SerialDevice::close()
{
    if (!m_hDevice)
        return;
    if (m_writePending) {
        // The record and its event must outlive the transfer.
        CancelIo(m_hDevice);
        DWORD ignored = 0;
        GetOverlappedResult(m_hDevice, &m_ovWrite, &ignored, TRUE);
        m_writePending = false;
    }
    releaseHandles();
}

void Win32SerialDevice::releaseHandles()
{
    closeAndClear(m_hDevice);
    closeAndClear(m_ovRead.hEvent);
    closeAndClear(m_ovWrite.hEvent);
    m_haveState = false;
}

std::chrono::nanoseconds Win32SerialDevice::characterTime() const
{
    if (!m_haveState || m_state.BaudRate == 0)
        return std::chrono::nanoseconds(0);
    // In half bits: start bit, data bits, parity bit, then 1, 1.5 or 2 stop bits.
    uint64_t halfBits = 2u * (1u + m_state.ByteSize + (m_state.Parity != NOPARITY ? 1u : 0u));
    halfBits += m_state.StopBits == ONESTOPBIT ? 2u : m_state.StopBits == ONE5STOPBITS ? 3u : 4u;
    return std::chrono::nanoseconds(halfBits * 1'000'000'000u / (2u * m_state.BaudRate));
}

// Returns once the written bytes can be taken to have left the line: the driver's queue has
// run empty (or stalled past its nominal time) and the transmitter's last bytes have had
// their time.
void Win32SerialDevice::waitUntilSent(size_t length)
{
    const auto perCharacter = characterTime();
    if (length == 0 || perCharacter.count() == 0)
        return;

    DWORD errors = 0;
    COMSTAT status{};
    if (ClearCommError(m_hDevice, &errors, &status) && status.cbOutQue > 0) {
        const auto deadline = Clock::now() + perCharacter * status.cbOutQue * 2 + kQueueGrace;
        while (status.cbOutQue > 0 && Clock::now() < deadline) {
            Sleep(1);
            if (!ClearCommError(m_hDevice, &errors, &status))
                break;
        }
    }

    // Well under a millisecond at DMX rates: too short for Sleep, so yield until it is over.
    const auto until = Clock::now() + perCharacter * std::min(length, kTransmitterBytes);
    while (Clock::now() < until)
        std::this_thread::yield();
}
