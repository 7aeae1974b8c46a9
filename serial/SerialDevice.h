#pragma once

#include "base/OpenFailure.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The codes of the line settings, with the values of the Windows serial API. Where <windows.h>
// came first, its macros of the same names and values stand in for these.
#ifndef NOPARITY
inline constexpr uint8_t NOPARITY = 0;
inline constexpr uint8_t ODDPARITY = 1;
inline constexpr uint8_t EVENPARITY = 2;
inline constexpr uint8_t MARKPARITY = 3;
inline constexpr uint8_t SPACEPARITY = 4;
inline constexpr uint8_t ONESTOPBIT = 0;
inline constexpr uint8_t ONE5STOPBITS = 1;
inline constexpr uint8_t TWOSTOPBITS = 2;
inline constexpr uint8_t DTR_CONTROL_DISABLE = 0;
inline constexpr uint8_t DTR_CONTROL_ENABLE = 1;
inline constexpr uint8_t DTR_CONTROL_HANDSHAKE = 2;
inline constexpr uint8_t RTS_CONTROL_DISABLE = 0;
inline constexpr uint8_t RTS_CONTROL_ENABLE = 1;
inline constexpr uint8_t RTS_CONTROL_HANDSHAKE = 2;

inline constexpr uint32_t EV_RXCHAR = 0x0001;
inline constexpr uint32_t PURGE_TXABORT = 0x0001;
inline constexpr uint32_t PURGE_RXABORT = 0x0002;
inline constexpr uint32_t PURGE_TXCLEAR = 0x0004;
inline constexpr uint32_t PURGE_RXCLEAR = 0x0008;
#endif

// Line settings as the port applies them: the members of the platform's device control block
// that this program sets, with their meanings and codes.
struct LineSettings
{
    uint32_t BaudRate = 0;
    uint8_t ByteSize = 8;
    uint8_t Parity = 0;   // 0 none, 1 odd, 2 even, 3 mark, 4 space
    uint8_t StopBits = 0; // 0 one, 1 one and a half, 2 two
    char EvtChar = 0;
    bool fBinary = true;
    bool fParity = false; // parity checking on reception
    bool fOutxDsrFlow = false;
    uint8_t fDtrControl = 0; // 0 disable, 1 enable, 2 handshake
    bool fOutxCtsFlow = false;
    uint8_t fRtsControl = 0; // 0 disable, 1 enable, 2 handshake
    bool fOutX = false;
    bool fInX = false;
    char XonChar = 0x11;
    char XoffChar = 0x13;
    uint16_t XonLim = 0;
    uint16_t XoffLim = 0;
};

struct CommTimeouts
{
    uint32_t ReadIntervalTimeout = 0;
    uint32_t ReadTotalTimeoutMultiplier = 0;
    uint32_t ReadTotalTimeoutConstant = 0;
    uint32_t WriteTotalTimeoutMultiplier = 0; // ms per byte; 0 with a 0 constant: no limit
    uint32_t WriteTotalTimeoutConstant = 0;
};

// How a write ended or stands.
enum class WriteStatus
{
    Completed,  // all that will be sent is on the line; the transferred count says how much
    Pending,    // started; wait for it with waitForWrite
    Incomplete, // the wait returned before the end; the count so far is reported, wait again
    Failed,     // the device refused or lost the write
};

// One serial device, as the port drives it: each operation has the effect of the platform's
// serial call of the same purpose. All report success as true.
class SerialDevice
{
public:
    virtual ~SerialDevice() = default;

    // Opens serial port number portNumber (1 = COM1) for exclusive reading and writing.
    virtual bool openExclusive(int portNumber) = 0;
    virtual bool setEventMask(uint32_t mask) = 0;
    virtual bool setQueueSizes(uint32_t inputBytes, uint32_t outputBytes) = 0;
    virtual bool purge(uint32_t flags) = 0;
    virtual bool setTimeouts(const CommTimeouts& timeouts) = 0;
    virtual bool getLineSettings(LineSettings& settings) = 0;
    // Fails when the device refuses the settings.
    virtual bool setLineSettings(const LineSettings& settings) = 0;
    virtual bool setDtr(bool raised) = 0;
    // Starts a write of length bytes: Completed (transferred set), Pending or Failed.
    virtual WriteStatus startWrite(const void* data, size_t length, size_t& transferred) = 0;
    // Waits for the pending write: Completed, Incomplete or Failed, with the bytes transferred.
    virtual WriteStatus waitForWrite(size_t& transferred) = 0;
    virtual void clearError() = 0;
    // Why the last write that failed did so, in the system's words.
    virtual std::string writeFailure() const = 0;
    // Takes up to capacity bytes that have arrived, without waiting; received is 0 when none
    // has. False when the device failed (it was unplugged, say).
    virtual bool read(void* buffer, size_t capacity, size_t& received) = 0;
    virtual void close() = 0;
    // Why the last openExclusive or setLineSettings failed.
    virtual OpenFailure openFailure() const = 0;
};

// The serial device of the platform this program runs on.
SerialDevice& platformSerialDevice();
