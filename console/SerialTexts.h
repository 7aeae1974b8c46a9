#pragma once

#include <QLoggingCategory>

// The serial link's log: write diagnostics at debug level (off unless enabled, e.g. with
// QT_LOGGING_RULES="orvanel.serial.debug=true"), and warnings.
Q_DECLARE_LOGGING_CATEGORY(lcSerial)

// Routes the serial link's texts: diagnostics and warnings to the log, operator messages to a
// message box.
void installSerialTextSinks();
