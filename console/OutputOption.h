#pragma once

#include "output/OutputSettings.h"

#include <string>

// The output named on the command line, as KIND[:COMn[:RATE]] with KIND serial (a plain serial
// interface) or pro (a DMX USB Pro widget), COMn from COM1 to COM8 (COM1 when left out) and
// RATE the baud rate the port is opened at (250000 when left out). Sets settings and returns
// nothing when text is one; otherwise returns why not and leaves settings alone.
std::string takeOutputOption(const std::string& text, OutputSettings& settings);
