#pragma once

#include <string>

// The system's text for one of its error codes (errno; a Windows or Winsock error), in UTF-8 (the
// encoding of every text the program emits), on one line, without a trailing full stop or line
// break; "system error N" where the system has none.
std::string systemErrorText(unsigned long error);
