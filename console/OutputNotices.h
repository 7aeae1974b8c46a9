#pragma once

// Routes what the outputs tell: their log lines to the program's log, in the logging categories
// orvanel.serial and orvanel.network, and the port that is open already to the operator in a
// message box.
void installOutputNotices();
