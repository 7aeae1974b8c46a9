#pragma once

// The logging categories of the serial link's diagnostics (debug level) and warnings, and of
// the network outputs' warnings.
inline constexpr char kSerialLogCategory[] = "orvanel.serial";
inline constexpr char kNetworkLogCategory[] = "orvanel.network";

// Routes the outputs' texts: diagnostics and warnings to the program's log, the message for the
// operator to a message box.
void installSerialTextSinks();
