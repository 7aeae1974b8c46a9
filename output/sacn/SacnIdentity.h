#pragma once

#include "SacnPacket.h"

#include <string_view>

// The sACN source that a machine of this id and host name is: its CID is the name-based UUID of
// the machine's id (of the host name where the system gives no id, of "Orvanel" where it gives
// neither) in a namespace of this program's own, so it stays the same from run to run without
// being stored, and tells nothing of the id. Its name is "Orvanel@host", or "Orvanel".
SacnSource sacnSourceFor(std::string_view machineId, std::string_view hostName);

// This machine's source, worked out when first asked for.
const SacnSource& thisMachinesSacnSource();
