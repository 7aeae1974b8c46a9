#pragma once

class CSerialPort;

// The owner of the channel strips: reads the field with the given control id as a signed
// decimal integer, 0 when its text is no number.
class FieldReader
{
public:
    virtual ~FieldReader() = default;
    virtual int GetDlgItemInt(int nId) const = 0;
};

inline constexpr int IDC_CHANNEL1 = 1010;
inline constexpr int IDC_VALUE1 = 1016;
inline constexpr int kStripCount = 6;

// A break long enough for every DMX receiver: 9 low bits at 57600 baud hold the line low 156 us.
inline constexpr unsigned kBreakBaudRate = 57600;
inline constexpr unsigned kFrameBaudRate = 250000;
inline constexpr int kFrameSlots = 513;  // start code and channels 1 to 512
inline constexpr int kFrameLength = 512; // slots 0 to 511 go on the line
inline constexpr unsigned kFramePauseMs = 50;

// True while a frame is being sent; a nested request is dropped.
extern bool g_bFrameBusy;

// Sends one DMX frame built from the six strips of owner: the reset byte at the break rate,
// then the start code and channels 1 to 511 at the frame rate, then the pause.
void SendFrame(const FieldReader& owner, CSerialPort& port);
