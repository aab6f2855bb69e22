#include <fstream>
#include <sstream>

#include "support/TestPlatform.h"

namespace vxtest {

// File access is the same on both backends.
std::string TestPlatform::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void TestPlatform::WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string SourceFile(const std::string& relativePath) {
    return TestPlatform::ReadFile(std::string(VX_SOURCE_DIR) + "/" + relativePath);
}

}  // namespace vxtest
