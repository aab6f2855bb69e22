// Fresh folders for the files of a test or a benchmark run.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace vxtest {

// Makes an empty folder "<prefix>-XXXXXX" under $TMPDIR, or /tmp when that
// is unset or empty; returns its path (no trailing '/'), or an empty text
// when it cannot be made.
inline std::string MakeTempFolder(const std::string& prefix) {
    const char* base = getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/" + prefix + "-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    return mkdtemp(name.data()) != nullptr ? std::string(name.data()) : std::string();
}

// An empty folder made for one test, removed with all it holds when its
// owner goes (with its owner's rights given back first, for a test that
// took them away).
class TempFolder {
  public:
    explicit TempFolder(const std::string& prefix) : m_path(MakeTempFolder(prefix)) {}
    ~TempFolder() {
        if (m_path.empty()) return;
        namespace fs = std::filesystem;
        std::error_code ignored;
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Empty when the folder could not be made.
    const std::string& Path() const { return m_path; }

  private:
    std::string m_path;
};

}  // namespace vxtest
