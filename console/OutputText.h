#pragma once

#include "output/OutputSettings.h"

#include <string>

// What the console shows of the output in use, a line each: the kind of interface, then its port
// or universe, whether it failed to open, and what its status says.
std::string describeOutput(const OutputSettings& settings, bool open, const OutputStatus& status);
