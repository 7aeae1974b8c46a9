#pragma once

#include <string>

// Where the network outputs' warnings go, for whoever reads the log: why a destination could not
// be opened, when sends start failing and when they go through again. By default they go
// nowhere; the program installs its sink at start-up.
using NetworkWarningSink = void (*)(const char* text);

void setNetworkWarningSink(NetworkWarningSink sink);
void emitNetworkWarning(const std::string& text);
