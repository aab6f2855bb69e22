#include <fstream>
#include <sstream>

#include "support/TestPlatform.h"

namespace vxtest {

std::string SourceFile(const std::string& relativePath) {
    std::ifstream in(std::string(VX_SOURCE_DIR) + "/" + relativePath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace vxtest
