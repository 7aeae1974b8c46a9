#pragma once

// The logging category of the serial link's diagnostics (debug level) and warnings.
inline constexpr char kSerialLogCategory[] = "orvanel.serial";

// Routes the serial link's texts: diagnostics and warnings to the program's log, the message
// for the operator to a message box.
void installSerialTextSinks();
