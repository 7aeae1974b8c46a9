#pragma once

#include "serial/SerialDevice.h"

// Line settings of a tty through the kernel's termios2 interface, which takes any rate as a
// number (250000 among them) rather than one of the fixed B-constants.
bool readTtyLineSettings(int fd, LineSettings& settings);
// Puts the tty in raw mode with the given settings and reads the rate back: fails with errno
// EINVAL when a setting has no counterpart here or the device did not take the rate.
bool writeTtyLineSettings(int fd, const LineSettings& settings);
