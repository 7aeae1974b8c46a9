#pragma once

#include <string>

// The system's text for a Windows or Winsock error code, in UTF-8 (the encoding of every text
// the program emits), on one line, without the trailing full stop and line break; "system error
// N" where the system has none.
std::string systemErrorText(unsigned long error);
