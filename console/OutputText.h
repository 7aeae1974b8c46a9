#pragma once

#include "output/OutputSettings.h"

#include <string>

// What the console shows of the output in use: the kind of interface, then its port or
// universe, and whether it failed to open.
std::string describeOutput(const OutputSettings& settings, bool open);
