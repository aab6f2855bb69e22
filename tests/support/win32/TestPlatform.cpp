// The test set-up on Windows (run under Wine): the real registry of the
// prefix, real INI files in a fresh temporary folder, and the Windows
// backend installed into Platform().
#include "support/TestPlatform.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "platform/WinConstants.h"
#include "platform/regfile/RegFile.h"
#include "platform/win32/RegTree.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinHandles.h"

namespace vxtest {

namespace {

// Keys under HKEY_LOCAL_MACHINE that the tests fill and that every test
// starts without: the display driver class, the maker's software key and
// the Layout and Association area of an unresolved driver key.
const char* const kTestKeys[] = {
    "System\\CurrentControlSet\\Services\\Class\\Display",
    "SOFTWARE\\Corvane",
    "Vexaro",
};

// Deletes a key with everything under it.
void DeleteTree(HKEY root, const std::string& path) {
    if (!vx::DeleteRegTree(root, path)) ADD_FAILURE() << "cannot delete registry key " << path;
}

void ClearTestKeys() {
    for (const char* path : kTestKeys) DeleteTree(HKEY_LOCAL_MACHINE, path);
}

// Splits "HKEY_LOCAL_MACHINE\Path" into its root key and the path below it.
bool SplitRoot(const std::string& full, HKEY* root, std::string* path) {
    static const struct {
        const char* name;
        HKEY key;
    } kRoots[] = {
        {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {"HKLM", HKEY_LOCAL_MACHINE},
        {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKCU", HKEY_CURRENT_USER},
        {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {"HKCR", HKEY_CLASSES_ROOT},
        {"HKEY_USERS", HKEY_USERS},
    };
    std::string head = full.substr(0, full.find('\\'));
    for (const auto& r : kRoots) {
        if (lstrcmpiA(head.c_str(), r.name) != 0) continue;
        *root = r.key;
        *path = head.size() < full.size() ? full.substr(head.size() + 1) : std::string();
        return true;
    }
    return false;
}

void ImportKey(const vx::regfile::Key& fileKey) {
    HKEY root = nullptr;
    std::string path;
    if (!SplitRoot(fileKey.path, &root, &path)) {
        ADD_FAILURE() << "registry text names an unknown root: " << fileKey.path;
        return;
    }
    if (fileKey.deleted) {
        DeleteTree(root, path);
        return;
    }
    vx::UniqueRegKey key;
    LONG result = RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
    if (result != ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot create registry key " << fileKey.path << ": error " << result;
        return;
    }
    for (const vx::regfile::Value& value : fileKey.values) {
        const char* name = value.name.empty() ? nullptr : value.name.c_str();
        if (value.deleted) {
            RegDeleteValueA(key.get(), name);
            continue;
        }
        result = RegSetValueExA(key.get(), name, 0, value.type, value.data.data(),
                                static_cast<DWORD>(value.data.size()));
        if (result != ERROR_SUCCESS) {
            ADD_FAILURE() << "cannot set registry value " << fileKey.path << "\\" << value.name
                          << ": error " << result;
        }
    }
}

std::string TempFolder() {
    static unsigned counter = 0;
    char base[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof base, base);
    if (length == 0 || length > MAX_PATH) return std::string();
    for (;;) {
        std::ostringstream name;
        name << base << "vxtest-" << GetCurrentProcessId() << "-" << ++counter;
        if (CreateDirectoryA(name.str().c_str(), nullptr)) return name.str();
        if (GetLastError() != ERROR_ALREADY_EXISTS) return std::string();
    }
}

void RemoveFolder(const std::string& folder) {
    {
        WIN32_FIND_DATAA found;
        const vx::UniqueFind search(FindFirstFileA((folder + "\\*").c_str(), &found));
        if (search) {
            do {
                std::string name = found.cFileName;
                if (name == "." || name == "..") continue;
                std::string full = folder + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveFolder(full);
                } else {
                    SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(full.c_str());
                }
            } while (FindNextFileA(search.get(), &found));
        }
    }  // the search is closed before its folder goes
    RemoveDirectoryA(folder.c_str());
}

// Answers SM_CLEANBOOT with the start mode a test chose; forwards the rest.
class FailSafeSystem final : public vx::ISystem {
  public:
    explicit FailSafeSystem(vx::ISystem& real) : m_real(real) {}
    void Set(bool failSafe) { m_failSafe = failSafe; }
    int GetSystemMetrics(int index) override {
        return index == vx::kSmCleanBoot ? (m_failSafe ? 1 : 0) : m_real.GetSystemMetrics(index);
    }
    int16_t GetKeyState(int virtualKey) override { return m_real.GetKeyState(virtualKey); }

  private:
    vx::ISystem& m_real;
    bool m_failSafe = false;
};

}  // namespace

struct TestPlatform::Impl {
    vx::Win32Platform platform;
    std::unique_ptr<FailSafeSystem> failSafe;
};

TestPlatform::TestPlatform() : m_impl(new Impl) {
    m_impl->platform.Install();
    ClearTestKeys();
    m_iniDir = TempFolder();
    if (m_iniDir.empty()) ADD_FAILURE() << "cannot create a temporary folder";
}

TestPlatform::~TestPlatform() {
    if (m_impl->failSafe && vx::Platform().system == m_impl->failSafe.get()) {
        vx::Platform().system = nullptr;
    }
    m_impl->platform.Uninstall();
    ClearTestKeys();
    if (!m_iniDir.empty()) RemoveFolder(m_iniDir);
    delete m_impl;
}

void TestPlatform::LoadRegistry(const std::string& regText) {
    ClearTestKeys();
    vx::regfile::Document document;
    vx::regfile::ParseError error;
    if (!vx::regfile::Parse(regText, &document, &error)) {
        ADD_FAILURE() << "registry text, line " << error.line << ": " << error.reason;
        return;
    }
    for (const vx::regfile::Key& key : document.keys) ImportKey(key);
}

bool TestPlatform::KeyExists(const std::string& hklmPath) {
    vx::UniqueRegKey key;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, hklmPath.c_str(), 0, KEY_READ, key.put()) ==
           ERROR_SUCCESS;
}

bool TestPlatform::ValueExists(const std::string& hklmKeyPath, const std::string& name) {
    return ReadValue(hklmKeyPath, name, nullptr, nullptr);
}

bool TestPlatform::ReadValue(const std::string& hklmKeyPath, const std::string& name,
                             uint32_t* type, std::vector<uint8_t>* data) {
    vx::UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, hklmKeyPath.c_str(), 0, KEY_READ, key.put()) !=
        ERROR_SUCCESS) {
        return false;
    }
    const char* valueName = name.empty() ? nullptr : name.c_str();
    DWORD valueType = 0;
    DWORD bytes = 0;
    if (RegQueryValueExA(key.get(), valueName, nullptr, &valueType, nullptr, &bytes) !=
        ERROR_SUCCESS) {
        return false;
    }
    std::vector<uint8_t> buffer(bytes + 1);
    if (RegQueryValueExA(key.get(), valueName, nullptr, &valueType, buffer.data(), &bytes) !=
        ERROR_SUCCESS) {
        return false;
    }
    buffer.resize(bytes);
    if (type != nullptr) *type = valueType;
    if (data != nullptr) *data = std::move(buffer);
    return true;
}

std::vector<std::string> TestPlatform::ValueNames(const std::string& hklmKeyPath) {
    std::vector<std::string> names;
    vx::UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, hklmKeyPath.c_str(), 0, KEY_READ, key.put()) !=
        ERROR_SUCCESS) {
        return names;
    }
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD chars = sizeof name;
        if (RegEnumValueA(key.get(), index, name, &chars, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, chars);
    }
    return names;
}

std::string TestPlatform::IniPath(const std::string& fileName) const {
    return m_iniDir + "\\" + fileName;
}

void TestPlatform::SetFailSafe(bool failSafe) {
    if (!m_impl->failSafe) {
        m_impl->failSafe = std::make_unique<FailSafeSystem>(m_impl->platform.System());
    }
    m_impl->failSafe->Set(failSafe);
    vx::Platform().system = m_impl->failSafe.get();
}

void TestPlatform::WriteBackProfiles() {}

const char* TestPlatform::Backend() {
    return "win32";
}

}  // namespace vxtest
