#include "SacnIdentity.h"

#include "net/MachineIdentity.h"

#include <string>

namespace {

constexpr std::string_view kProgramName = "Orvanel";
// The namespace of this program's CIDs, 10a7253c-7cc7-410b-9e8a-32d8ea5f1051, chosen at random
// once. Changing it changes every machine's CID.
constexpr Uuid kCidNamespace = {0x10, 0xa7, 0x25, 0x3c, 0x7c, 0xc7, 0x41, 0x0b,
                                0x9e, 0x8a, 0x32, 0xd8, 0xea, 0x5f, 0x10, 0x51};

} // namespace

SacnSource sacnSourceFor(std::string_view machineId, std::string_view hostName)
{
    const std::string_view identity = !machineId.empty()  ? machineId
                                      : !hostName.empty() ? hostName
                                                          : kProgramName;
    std::string name(kProgramName);
    if (!hostName.empty())
        name.append("@").append(hostName);
    return {nameBasedUuid(kCidNamespace, identity), name};
}

const SacnSource& thisMachinesSacnSource()
{
    static const SacnSource source = sacnSourceFor(machineId(), hostName());
    return source;
}
