#pragma once

#include <string>

// What tells this machine apart from others, as the system records it. Each is empty when the
// system does not say.

// The id the system gave this installation (Linux: the machine-id; Windows: the MachineGuid).
// It is to be kept private: use it only through a one-way hash.
std::string machineId();
// The machine's host name, UTF-8.
std::string hostName();
