#include "WorkFolder.h"

#include <stdlib.h>
#include <unistd.h>

#include "FuzzCheck.h"

namespace vxfuzz {

std::string MakeWorkFolder(const std::string& target) {
    const char* base = getenv("VX_FUZZ_TMP");
    if (base == nullptr || *base == '\0')
        base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/vxfuzz-" + target + "-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) Broken("cannot create " + pattern);
    return pattern;
}

}  // namespace vxfuzz
