#pragma once

#include "output/OutputSettings.h"

#include <string>

// The output named on the command line:
//   serial[:COMn[:RATE]]  a plain serial interface
//   pro[:COMn[:RATE]]     a DMX USB Pro widget
//   sacn[:UNIVERSE][@ADDRESS][%INTERFACE]    sACN (E1.31), universe 1 to 63999 (1 when left out)
//   artnet[:UNIVERSE][@ADDRESS][%INTERFACE]  Art-Net, port-address 0 to 32767 (0 when left out)
// with COMn from COM1 to COM256 (COM1 when left out), RATE the baud rate the port is opened at
// (250000 when left out), ADDRESS a dotted IPv4 address (the kind's own default when left
// out) and INTERFACE the name or an address of the network interface to send from (chosen by
// the destination when left out). Sets settings and returns nothing when text is one; otherwise
// returns why not and leaves settings alone.
std::string takeOutputOption(const std::string& text, OutputSettings& settings);
