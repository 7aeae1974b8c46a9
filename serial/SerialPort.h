#pragma once

#include "SerialDevice.h"

#include <cstdint>
#include <string>

// Tells the operator that Open was called on a port that is open already; nothing does until the
// program sets it.
using PortAlreadyOpenNotice = void (*)();
void setPortAlreadyOpenNotice(PortAlreadyOpenNotice notice);

inline constexpr uint32_t FLOW_DTRDSR = 0x01;
inline constexpr uint32_t FLOW_RTSCTS = 0x02;
inline constexpr uint32_t FLOW_XONXOFF = 0x04;

// The one COM port that drives the DMX line: opens a port by number, configures the device,
// writes blocks and waits for them to leave, and closes the port again.
class CSerialPort
{
public:
    explicit CSerialPort(SerialDevice& device = platformSerialDevice());

    bool Open(int nPort, unsigned nBaud);
    bool Close();
    bool ApplyLineSettings();
    bool IsOpen() const { return m_bOpened; }
    bool WriteBlock(const void* pData, int nLength);
    // Takes what has arrived on the line, up to nCapacity bytes, without waiting: the number of
    // bytes taken, 0 when none has arrived, -1 when the port is closed or the device failed.
    int ReadAvailable(void* pBuffer, int nCapacity);
    // Why the last Open that failed did so.
    const OpenFailure& LastOpenFailure() const { return m_lastOpenFailure; }
    // Why the last WriteBlock that failed did so.
    const std::string& LastWriteFailure() const { return m_lastWriteFailure; }

    SerialDevice* m_hPort = nullptr; // the device while open, null while closed
    uint8_t m_nByteSize = 8;
    uint8_t m_nStopBits = TWOSTOPBITS;
    uint8_t m_nParity = NOPARITY;
    uint32_t m_nBaudRate = 250000; // written by the frame sender before each part of a frame
    char m_chEventChar = 13;
    bool m_bOpened = false;
    uint32_t m_nFlowControl = 0;

private:
    bool Fail(OpenFailure failure);
    // Whether a write that ended sent all its length bytes; keeps the reason when not.
    bool Written(size_t sent, size_t length);

    SerialDevice& m_device;
    OpenFailure m_lastOpenFailure;
    std::string m_lastWriteFailure;
};
