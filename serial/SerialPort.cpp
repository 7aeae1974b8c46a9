#include "SerialPort.h"

#include "base/Log.h"

#include <cstdio>
#include <utility>

namespace {
constexpr uint32_t kQueueBytes = 4096;
constexpr uint32_t kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;
constexpr uint32_t kMaxDword = 0xFFFFFFFF;
// Rates up to this one get a write time-out of (this / rate) ms per byte.
constexpr uint32_t kTimeoutReferenceRate = 19200;

PortAlreadyOpenNotice g_portAlreadyOpenNotice = nullptr;
} // namespace

void setPortAlreadyOpenNotice(PortAlreadyOpenNotice notice)
{
    g_portAlreadyOpenNotice = notice;
}

CSerialPort::CSerialPort(SerialDevice& device) : m_device(device) {}

bool CSerialPort::Open(int nPort, unsigned nBaud)
{
    // The rate is stored even when the port turns out to be open already.
    m_nBaudRate = nBaud;
    if (m_hPort) {
        if (g_portAlreadyOpenNotice)
            g_portAlreadyOpenNotice();
        return false;
    }
    if (nBaud == 0)
        return Fail({OpenFailure::Cause::InvalidRate, {}, {}});
    if (!m_device.openExclusive(nPort))
        return Fail(m_device.openFailure());
    m_hPort = &m_device;

    m_device.setEventMask(EV_RXCHAR);
    m_device.setQueueSizes(kQueueBytes, kQueueBytes);
    m_device.purge(kPurgeAll);
    CommTimeouts timeouts;
    timeouts.ReadIntervalTimeout = kMaxDword;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 1000;
    timeouts.WriteTotalTimeoutMultiplier = kTimeoutReferenceRate / m_nBaudRate;
    timeouts.WriteTotalTimeoutConstant = 0;
    m_device.setTimeouts(timeouts);

    if (!ApplyLineSettings()) {
        OpenFailure failure = m_device.openFailure();
        Close();
        return Fail(std::move(failure));
    }
    m_device.setDtr(true);
    m_bOpened = true;
    return true;
}

bool CSerialPort::Fail(OpenFailure failure)
{
    m_lastOpenFailure = std::move(failure);
    return false;
}

bool CSerialPort::Close()
{
    if (!m_hPort)
        return true;
    m_bOpened = false;
    m_device.setEventMask(0);
    m_device.setDtr(false);
    m_device.purge(kPurgeAll);
    m_device.close();
    m_hPort = nullptr;
    return true;
}

bool CSerialPort::ApplyLineSettings()
{
    if (!m_hPort)
        return false;
    // Members not set here keep the device's values.
    LineSettings settings;
    m_device.getLineSettings(settings);
    settings.BaudRate = m_nBaudRate;
    settings.ByteSize = m_nByteSize;
    settings.Parity = m_nParity;
    settings.StopBits = m_nStopBits;
    settings.EvtChar = m_chEventChar;

    const bool dtrDsr = m_nFlowControl & FLOW_DTRDSR;
    settings.fOutxDsrFlow = dtrDsr;
    settings.fDtrControl = dtrDsr ? DTR_CONTROL_HANDSHAKE : DTR_CONTROL_ENABLE;
    const bool rtsCts = m_nFlowControl & FLOW_RTSCTS;
    settings.fOutxCtsFlow = rtsCts;
    settings.fRtsControl = rtsCts ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;

    const bool xonXoff = m_nFlowControl & FLOW_XONXOFF;
    settings.fOutX = xonXoff;
    settings.fInX = xonXoff;
    settings.XonChar = 0x11;
    settings.XoffChar = 0x13;
    settings.XonLim = 100;
    settings.XoffLim = 100;

    settings.fBinary = true;
    settings.fParity = true;
    return m_device.setLineSettings(settings);
}

bool CSerialPort::WriteBlock(const void* pData, int nLength)
{
    if (!m_bOpened || nLength < 0) {
        m_lastWriteFailure = "the port is not open";
        return false;
    }
    const auto length = static_cast<size_t>(nLength);
    size_t transferred = 0;
    WriteStatus status = m_device.startWrite(pData, length, transferred);
    if (status == WriteStatus::Completed)
        return Written(transferred, length);
    if (status != WriteStatus::Pending) {
        m_lastWriteFailure = m_device.writeFailure();
        m_device.clearError();
        return false;
    }

    size_t total = 0;
    for (;;) {
        transferred = 0;
        status = m_device.waitForWrite(transferred);
        if (status != WriteStatus::Incomplete)
            break;
        total += transferred;
    }
    if (status == WriteStatus::Failed) {
        m_lastWriteFailure = m_device.writeFailure();
        m_device.clearError();
    }

    const size_t sent = total + transferred;
    char line[128];
    if (sent == length)
        std::snprintf(line, sizeof line, "\n%ld bytes written", static_cast<long>(sent));
    else
        std::snprintf(line, sizeof line, "\nProbable Write Timeout: Total of %ld bytes sent",
                      static_cast<long>(sent));
    writeLog(LogCategory::Serial, LogLevel::Debug, line);
    return status == WriteStatus::Completed && Written(sent, length);
}

bool CSerialPort::Written(size_t sent, size_t length)
{
    if (sent != length)
        m_lastWriteFailure = "the write timed out with " + std::to_string(sent) + " of " +
                             std::to_string(length) + " bytes sent";
    return sent == length;
}

int CSerialPort::ReadAvailable(void* pBuffer, int nCapacity)
{
    size_t received = 0;
    if (!m_bOpened || nCapacity < 0 ||
        !m_device.read(pBuffer, static_cast<size_t>(nCapacity), received))
        return -1;
    return static_cast<int>(received);
}
