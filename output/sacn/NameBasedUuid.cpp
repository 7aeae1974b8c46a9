#include "NameBasedUuid.h"

#include "Sha1.h"

#include <algorithm>
#include <vector>

Uuid nameBasedUuid(const Uuid& nameSpace, std::string_view name)
{
    std::vector<uint8_t> message(nameSpace.begin(), nameSpace.end());
    message.insert(message.end(), name.begin(), name.end());
    const Sha1Digest digest = sha1(message);

    Uuid uuid{};
    std::copy_n(digest.begin(), uuid.size(), uuid.begin());
    uuid[6] = static_cast<uint8_t>((uuid[6] & 0x0F) | 0x50); // version 5
    uuid[8] = static_cast<uint8_t>((uuid[8] & 0x3F) | 0x80); // the RFC 4122 variant
    return uuid;
}
