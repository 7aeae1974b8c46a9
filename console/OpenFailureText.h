#pragma once

#include "base/OpenFailure.h"

#include <map>
#include <string>

// What the operator is told, below "failed to open the port", of why COM portNumber did not
// open at nBaud: the device and the system's reason, what to do about a refused permission, and
// for a port the machine does not have, the ports it has (ports: number → device). For a network
// output: the destination and the system's reason, or what was wrong with the universe or the
// address typed.
std::string describeOpenFailure(int portNumber, unsigned nBaud, const OpenFailure& failure,
                                const std::map<int, std::string>& ports);
