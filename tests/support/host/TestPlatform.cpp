// The test set-up on the host: a fresh in-memory registry and platform for
// every test, and INI files in a fresh temporary folder.
#include "support/TestPlatform.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/host/HostPlatform.h"
#include "platform/host/HostUi.h"
#include "platform/host/ProfileCache.h"
#include "support/host/HostAccess.h"
#include "support/host/TempFolder.h"

namespace vxtest {

namespace {

constexpr char kMachine[] = "HKEY_LOCAL_MACHINE\\";

// Keys under HKEY_LOCAL_MACHINE that the tests fill: the display driver
// class, the maker's software key and the Layout and Association area of
// an unresolved driver key.
const char* const kTestKeys[] = {
    "System\\CurrentControlSet\\Services\\Class\\Display",
    "SOFTWARE\\Corvane",
    "Vexaro",
};

// The services of the TestPlatform constructed last and still alive.
struct Current {
    vx::HostPlatform* platform = nullptr;
    vx::HostUi* ui = nullptr;
};
Current g_current;

}  // namespace

struct TestPlatform::Impl {
    // The tests name INI files by their host paths.
    explicit Impl(const std::string& windowsDir)
        : platform(vx::ProfileFolders{windowsDir, {}, true}) {}
    vx::HostPlatform platform;
    vx::HostUi ui;
    Current previous;
};

TestPlatform::TestPlatform() : m_impl(nullptr), m_iniDir(MakeTempFolder("vxtest")) {
    if (m_iniDir.empty()) ADD_FAILURE() << "cannot create a temporary folder";
    m_impl = new Impl(m_iniDir);
    m_impl->platform.Install();
    m_impl->ui.Install();
    m_impl->previous = g_current;
    g_current = {&m_impl->platform, &m_impl->ui};
}

TestPlatform::~TestPlatform() {
    g_current = m_impl->previous;
    delete m_impl;
    if (!m_iniDir.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_iniDir, ignored);
    }
}

namespace {

const Current& Alive() {
    if (g_current.platform == nullptr) {
        ADD_FAILURE() << "no TestPlatform is alive";
        std::abort();
    }
    return g_current;
}

}  // namespace

vx::HostPlatform& HostServices() {
    return *Alive().platform;
}

vx::HostUi& HostUserInterface() {
    return *Alive().ui;
}

void TestPlatform::LoadRegistry(const std::string& regText) {
    vx::HostRegistryTree& registry = m_impl->platform.Registry();
    for (const char* path : kTestKeys) registry.DeleteKey(kMachine + std::string(path));
    vx::regfile::ParseError error;
    if (!registry.ImportText(regText, &error)) {
        ADD_FAILURE() << "registry text, line " << error.line << ": " << error.reason;
    }
}

bool TestPlatform::KeyExists(const std::string& hklmPath) {
    return m_impl->platform.Registry().KeyExists(kMachine + hklmPath);
}

bool TestPlatform::ValueExists(const std::string& hklmKeyPath, const std::string& name) {
    return ReadValue(hklmKeyPath, name, nullptr, nullptr);
}

bool TestPlatform::ReadValue(const std::string& hklmKeyPath, const std::string& name,
                             uint32_t* type, std::vector<uint8_t>* data) {
    vx::RegistryValue value;
    if (!m_impl->platform.Registry().ReadValue(kMachine + hklmKeyPath, name, &value)) return false;
    if (type != nullptr) *type = value.type;
    if (data != nullptr) *data = value.data;
    return true;
}

std::vector<std::string> TestPlatform::ValueNames(const std::string& hklmKeyPath) {
    return m_impl->platform.Registry().ValueNames(kMachine + hklmKeyPath);
}

std::string TestPlatform::IniPath(const std::string& fileName) const {
    return m_iniDir + "/" + fileName;
}

void TestPlatform::SetFailSafe(bool failSafe) {
    m_impl->platform.System().SetFailSafe(failSafe);
}

void TestPlatform::WriteBackProfiles() {
    vx::WriteBackProfileFiles();
}

const char* TestPlatform::Backend() {
    return "host";
}

}  // namespace vxtest
