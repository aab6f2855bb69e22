#include "Guids.h"

#include <cstring>

namespace vx {

static_assert(sizeof(GUID) == 16, "a GUID is stored in 16 bytes");

bool SameGuid(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

}  // namespace vx
