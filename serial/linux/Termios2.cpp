// Kept apart from everything that includes glibc's <termios.h>: the kernel's termbits header
// defines the same names differently.
#include "Termios2.h"

#include <asm/termbits.h>
#include <cerrno>
#include <sys/ioctl.h>

namespace {

bool get(int fd, struct termios2& tio)
{
    int rc;
    do
        rc = ioctl(fd, TCGETS2, &tio);
    while (rc < 0 && errno == EINTR);
    return rc == 0;
}

bool set(int fd, const struct termios2& tio)
{
    int rc;
    do
        rc = ioctl(fd, TCSETS2, &tio);
    while (rc < 0 && errno == EINTR);
    return rc == 0;
}

bool refuse()
{
    errno = EINVAL;
    return false;
}

} // namespace

bool readTtyLineSettings(int fd, LineSettings& settings)
{
    struct termios2 tio
    {};
    if (!get(fd, tio))
        return false;
    settings.BaudRate = tio.c_ospeed;
    switch (tio.c_cflag & CSIZE) {
    case CS5:
        settings.ByteSize = 5;
        break;
    case CS6:
        settings.ByteSize = 6;
        break;
    case CS7:
        settings.ByteSize = 7;
        break;
    default:
        settings.ByteSize = 8;
        break;
    }
    if (!(tio.c_cflag & PARENB))
        settings.Parity = NOPARITY;
    else if (tio.c_cflag & CMSPAR)
        settings.Parity = (tio.c_cflag & PARODD) ? MARKPARITY : SPACEPARITY;
    else
        settings.Parity = (tio.c_cflag & PARODD) ? ODDPARITY : EVENPARITY;
    settings.StopBits = (tio.c_cflag & CSTOPB) ? TWOSTOPBITS : ONESTOPBIT;
    settings.fParity = tio.c_iflag & INPCK;
    const bool rtsCts = tio.c_cflag & CRTSCTS;
    settings.fOutxCtsFlow = rtsCts;
    settings.fRtsControl = rtsCts ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    settings.fOutxDsrFlow = false;
    settings.fDtrControl = DTR_CONTROL_ENABLE;
    settings.fOutX = tio.c_iflag & IXON;
    settings.fInX = tio.c_iflag & IXOFF;
    settings.XonChar = static_cast<char>(tio.c_cc[VSTART]);
    settings.XoffChar = static_cast<char>(tio.c_cc[VSTOP]);
    settings.fBinary = !(tio.c_oflag & OPOST);
    return true;
}

bool writeTtyLineSettings(int fd, const LineSettings& settings)
{
    static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    if (settings.BaudRate == 0 || settings.ByteSize < 5 || settings.ByteSize > 8)
        return refuse();
    if (settings.Parity > SPACEPARITY)
        return refuse();
    // The kernel offers 1 or 2 stop bits, and no DSR/DTR handshake.
    if (settings.StopBits != ONESTOPBIT && settings.StopBits != TWOSTOPBITS)
        return refuse();
    if (settings.fOutxDsrFlow || settings.fDtrControl == DTR_CONTROL_HANDSHAKE)
        return refuse();
    // The kernel has one switch for both directions of RTS/CTS.
    const bool rtsCts = settings.fOutxCtsFlow;
    if (rtsCts != (settings.fRtsControl == RTS_CONTROL_HANDSHAKE))
        return refuse();

    struct termios2 tio
    {};
    if (!get(fd, tio))
        return false;

    // Raw: bytes leave and arrive exactly as written, nothing is translated or interpreted.
    tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                     IXANY | INPCK | IUCLC | IMAXBEL);
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;

    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CBAUD | CIBAUD);
    tio.c_cflag |= kSizes[settings.ByteSize - 5] | CLOCAL | CREAD | BOTHER;
    // CIBAUD left 0: input at the output rate.
    tio.c_ospeed = settings.BaudRate;
    tio.c_ispeed = settings.BaudRate;

    switch (settings.Parity) {
    case ODDPARITY:
        tio.c_cflag |= PARENB | PARODD;
        break;
    case EVENPARITY:
        tio.c_cflag |= PARENB;
        break;
    case MARKPARITY:
        tio.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case SPACEPARITY:
        tio.c_cflag |= PARENB | CMSPAR;
        break;
    default:
        break;
    }
    if (settings.Parity != NOPARITY && settings.fParity)
        tio.c_iflag |= INPCK;
    if (settings.StopBits == TWOSTOPBITS)
        tio.c_cflag |= CSTOPB;
    if (rtsCts)
        tio.c_cflag |= CRTSCTS;
    if (settings.fOutX)
        tio.c_iflag |= IXON;
    if (settings.fInX)
        tio.c_iflag |= IXOFF;
    tio.c_cc[VSTART] = static_cast<cc_t>(settings.XonChar);
    tio.c_cc[VSTOP] = static_cast<cc_t>(settings.XoffChar);

    if (!set(fd, tio))
        return false;
    // A UART that cannot make the rate may quietly fall back to another one.
    struct termios2 actual
    {};
    if (!get(fd, actual))
        return false;
    if (actual.c_ospeed != settings.BaudRate)
        return refuse();
    return true;
}
