// Installs the backend's platform for one test, over a clean registry area
// and an empty folder for INI files. The same calls work on both backends:
// the host one keeps everything in memory and in a temporary folder, the
// Windows one writes the real registry (of the Wine prefix) and real files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/UniqueHandle.h"

namespace vxtest {

class TestPlatform : vx::Pinned {
  public:
    TestPlatform();
    ~TestPlatform();

    // Clears the keys the tests use (the driver class keys and the maker's
    // software key under HKEY_LOCAL_MACHINE), then imports a registry file
    // text (REGEDIT4). Fails the test on a malformed text.
    void LoadRegistry(const std::string& regText);

    bool KeyExists(const std::string& hklmPath);
    bool ValueExists(const std::string& hklmKeyPath, const std::string& name);
    // The value's data, or false when it is missing.
    bool ReadValue(const std::string& hklmKeyPath, const std::string& name, uint32_t* type,
                   std::vector<uint8_t>* data);
    // Value names of a key in the registry's enumeration order.
    std::vector<std::string> ValueNames(const std::string& hklmKeyPath);

    // Empty folder for this test's INI files, and a file's full path in it
    // (platform separators), ready to be put into Association data.
    std::string IniDir() const { return m_iniDir; }
    std::string IniPath(const std::string& fileName) const;
    static std::string ReadFile(const std::string& path);
    static void WriteFile(const std::string& path, const std::string& bytes);
    // Puts the INI writes made through the platform on the disk, as the end
    // of the page's Apply does: the host keeps them until then, Windows
    // writes at once.
    static void WriteBackProfiles();

    // Fail-safe start as GetSystemMetrics(SM_CLEANBOOT) reports it.
    void SetFailSafe(bool failSafe);

    // Name of the backend: "host" or "win32".
    static const char* Backend();

  private:
    struct Impl;
    Impl* m_impl;
    std::string m_iniDir;
};

// Text of a file of the source tree (sample data, test data).
std::string SourceFile(const std::string& relativePath);

}  // namespace vxtest
