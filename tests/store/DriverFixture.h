// Test set-up shared by the store and layout tests: the platform of the
// backend, the module-wide values in their load-time state, and registry
// texts for the driver key that these tests use.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "layout/PendingAction.h"
#include "store/DriverKey.h"
#include "support/TestPlatform.h"

namespace vxtest {

constexpr const char kDriverKey[] = "System\\CurrentControlSet\\Services\\Class\\Display\\0001";
constexpr const char kSoftwareKey[] = "SOFTWARE\\Corvane\\Lumetra";

inline std::string LayoutKey() {
    return std::string(kDriverKey) + "\\Vexaro\\Layout";
}
inline std::string AssociationKey(const std::string& name) {
    return std::string(kDriverKey) + "\\Vexaro\\Association\\" + name;
}

// A REGEDIT4 text of the given lines.
inline std::string RegText(std::initializer_list<std::string> lines) {
    std::string text = "REGEDIT4\r\n\r\n";
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// A key header line of a registry text, below HKEY_LOCAL_MACHINE.
inline std::string KeyLine(const std::string& path) {
    return "[HKEY_LOCAL_MACHINE\\" + path + "]";
}

// A string value line; backslashes and quotes escaped as REGEDIT4 wants.
inline std::string SzLine(const std::string& name, const std::string& data) {
    std::string escaped;
    for (char c : data) {
        if (c == '\\' || c == '"') escaped += '\\';
        escaped += c;
    }
    return "\"" + name + "\"=\"" + escaped + "\"";
}

// Each test starts with an unresolved driver key (or a resolved one where
// it asks for it) and PendingAction at "Dynamic", and ends with both back.
class DriverTest : public ::testing::Test {
  protected:
    explicit DriverTest(bool resolved = true) {
        vx::DriverKeyPath.Empty();
        if (resolved) vx::DriverKeyPath = kDriverKey;
        vx::PendingAction = "Dynamic";
    }
    ~DriverTest() override {
        vx::DriverKeyPath.Empty();
        vx::PendingAction = "Dynamic";
    }

    bool IsHost() const { return std::string(TestPlatform::Backend()) == "host"; }

    TestPlatform platform;
};

}  // namespace vxtest
