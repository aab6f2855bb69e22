// The files that enter the module's class with the shell, as the build
// makes them: register.reg for entering it by hand and tarnel.inf for
// setup, which must agree with each other and with the module.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "platform/regfile/InfFile.h"
#include "platform/regfile/RegFile.h"
#include "server/Guids.h"
#include "support/TestPlatform.h"

namespace vxtest {
namespace {

std::string ClsidText(const GUID& g) {
    char text[39];
    std::snprintf(text, sizeof(text), "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

const vx::regfile::Value* Find(const vx::regfile::Document& doc, const std::string& key,
                               const std::string& name) {
    for (const auto& k : doc.keys) {
        if (k.path != key) continue;
        for (const auto& v : k.values)
            if (v.name == name) return &v;
    }
    return nullptr;
}

std::string Text(const vx::regfile::Value* value) {
    if (value == nullptr || value->type != 1 || value->data.empty()) return "<missing>";
    return std::string(value->data.begin(), value->data.end() - 1);
}

std::string BuiltFile(const std::string& name) {
    return TestPlatform::ReadFile(std::string(VX_BINARY_DIR) + "/bin/" + name);
}

const char kHandlerKey[] =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Controls "
    "Folder\\Display\\shellex\\PropertySheetHandlers\\Vexaro";
const char kUninstallKey[] =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vexaro";

vx::regfile::InfDocument Inf() {
    vx::regfile::InfDocument inf;
    vx::regfile::ParseError error;
    EXPECT_TRUE(vx::regfile::ParseInf(BuiltFile("tarnel.inf"), &inf, &error))
        << error.line << ": " << error.reason;
    return inf;
}

std::vector<std::string> Fields(const vx::regfile::InfDocument& inf, const std::string& section,
                                const std::string& key) {
    std::vector<std::string> fields;
    const vx::regfile::InfSection* s = inf.Find(section);
    if (s == nullptr) return fields;
    for (const vx::regfile::InfLine& line : s->lines) {
        if (line.key == key) fields.insert(fields.end(), line.fields.begin(), line.fields.end());
    }
    return fields;
}

// The first field of every line of a section.
std::vector<std::string> Names(const vx::regfile::InfDocument& inf, const std::string& section) {
    std::vector<std::string> names;
    if (const vx::regfile::InfSection* s = inf.Find(section)) {
        for (const vx::regfile::InfLine& line : s->lines) names.push_back(line.fields[0]);
    }
    return names;
}

std::string KeyPath(const vx::regfile::AddRegEntry& e) {
    return e.subkey.empty() ? e.root : e.root + "\\" + e.subkey;
}

TEST(RegisterFileTest, EntersTheClassAndTheDisplayHandler) {
    std::string text = BuiltFile("register.reg");
    const std::string placeholder = "TARNEL_DLL_PATH";
    const size_t at = text.find("@=\"" + placeholder + "\"");
    ASSERT_NE(at, std::string::npos);
    text.replace(at + 3, placeholder.size(), "C:\\\\Windows\\\\System\\\\tarnel.dll");

    vx::regfile::Document doc;
    vx::regfile::ParseError error;
    ASSERT_TRUE(vx::regfile::Parse(text, &doc, &error)) << error.line << ": " << error.reason;
    const std::string clsid = ClsidText(vx::kClsidVexaro);
    const std::string classKey = "HKEY_CLASSES_ROOT\\CLSID\\" + clsid;
    EXPECT_EQ(Text(Find(doc, classKey, "")), "Vexaro");
    EXPECT_EQ(Text(Find(doc, classKey + "\\InprocServer32", "")),
              "C:\\Windows\\System\\tarnel.dll");
    EXPECT_EQ(Text(Find(doc, classKey + "\\InprocServer32", "ThreadingModel")), "Apartment");
    EXPECT_EQ(Text(Find(doc,
                        "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                        "Controls Folder\\Display\\shellex\\PropertySheetHandlers\\Vexaro",
                        "")),
              clsid);
}

// Both setup engines: the signature both read, the same files and class
// keys for each, the module in the system folder.
TEST(RegisterFileTest, SetupFileInstallsWhatTheRegistryFileEnters) {
    vx::regfile::InfDocument inf = Inf();
    EXPECT_EQ(Fields(inf, "Version", "Signature"), std::vector<std::string>{"$CHICAGO$"});
    for (const char* install : {"DefaultInstall", "DefaultInstall.NT"}) {
        SCOPED_TRACE(install);
        EXPECT_EQ(Fields(inf, install, "CopyFiles"),
                  (std::vector<std::string>{"Vexaro.Module", "Vexaro.Libraries", "Vexaro.Inf"}));
        std::vector<vx::regfile::AddRegEntry> entries;
        vx::regfile::ParseError error;
        ASSERT_TRUE(vx::regfile::ReadAddReg(inf, install, &entries, &error)) << error.reason;
        vx::regfile::Document expected;
        std::string text = BuiltFile("register.reg");
        const std::string placeholder = "TARNEL_DLL_PATH";
        text.replace(text.find("@=\"" + placeholder) + 3, placeholder.size(), "%11%\\\\tarnel.dll");
        ASSERT_TRUE(vx::regfile::Parse(text, &expected, &error)) << error.reason;
        // The registry file's keys and values, in its order, then the uninstall entry.
        size_t i = 0;
        for (const vx::regfile::Key& key : expected.keys) {
            for (const vx::regfile::Value& value : key.values) {
                ASSERT_LT(i, entries.size());
                EXPECT_EQ(KeyPath(entries[i]), key.path);
                EXPECT_EQ(entries[i].name, value.name);
                EXPECT_EQ(entries[i].type, value.type);
                EXPECT_EQ(entries[i].data, value.data);
                ++i;
            }
        }
        ASSERT_EQ(entries.size(), i + 2);
        EXPECT_EQ(KeyPath(entries[i]), kUninstallKey);
        EXPECT_EQ(entries[i].name, "DisplayName");
        EXPECT_EQ(entries[i + 1].name, "UninstallString");
        std::string command(entries[i + 1].data.begin(), entries[i + 1].data.end() - 1);
        EXPECT_NE(command.find(",InstallHinfSection DefaultUninstall 132 %17%\\tarnel.inf"),
                  std::string::npos)
            << command;
    }
    EXPECT_EQ(Fields(inf, "DestinationDirs", "Vexaro.Module"), std::vector<std::string>{"11"});
    EXPECT_EQ(Fields(inf, "DestinationDirs", "Vexaro.Libraries"), std::vector<std::string>{"11"});
    EXPECT_EQ(Fields(inf, "DestinationDirs", "Vexaro.Inf"), std::vector<std::string>{"17"});
    EXPECT_EQ(Names(inf, "Vexaro.Module"), std::vector<std::string>{"tarnel.dll"});
    EXPECT_EQ(Names(inf, "Vexaro.Inf"), std::vector<std::string>{"tarnel.inf"});
    // The driver maker's libraries only where they are missing (COPYFLG_NOOVERWRITE).
    const vx::regfile::InfSection* libraries = inf.Find("Vexaro.Libraries");
    ASSERT_NE(libraries, nullptr);
    std::set<std::string> names;
    for (const vx::regfile::InfLine& line : libraries->lines) {
        ASSERT_EQ(line.fields.size(), 4u);
        EXPECT_EQ(line.fields[3], "0x00000010");
        names.insert(line.fields[0]);
    }
    EXPECT_EQ(names, (std::set<std::string>{"tandrel.dll", "ferolib.dll"}));
    for (const char* file : {"tarnel.dll", "tandrel.dll", "ferolib.dll", "tarnel.inf"}) {
        EXPECT_EQ(Fields(inf, "SourceDisksFiles", file), std::vector<std::string>{"1"}) << file;
    }
}

// The uninstall removes the keys the install adds, children first, and
// the files it copied, except the driver maker's libraries.
TEST(RegisterFileTest, UninstallRemovesExactlyWhatInstallAdded) {
    vx::regfile::InfDocument inf = Inf();
    std::vector<vx::regfile::AddRegEntry> added;
    vx::regfile::ParseError error;
    ASSERT_TRUE(vx::regfile::ReadAddReg(inf, "DefaultInstall.NT", &added, &error));
    std::vector<std::string> addedKeys;
    for (const vx::regfile::AddRegEntry& e : added) {
        if (addedKeys.empty() || addedKeys.back() != KeyPath(e)) addedKeys.push_back(KeyPath(e));
    }
    std::vector<std::string> removed;
    for (const std::string& section : Fields(inf, "DefaultUninstall", "DelReg")) {
        // A DelReg line has the form of an AddReg line without value name
        // (which, read as AddReg, stands for the key's default value).
        std::vector<vx::regfile::AddRegEntry> lines;
        ASSERT_TRUE(vx::regfile::ReadAddReg(inf, section, &lines, &error)) << error.reason;
        for (const vx::regfile::AddRegEntry& e : lines) {
            EXPECT_TRUE(e.keyOnly || (e.name.empty() && e.flags == 0));
            removed.push_back(KeyPath(e));
        }
    }
    const std::string classKey = "HKEY_CLASSES_ROOT\\CLSID\\" + ClsidText(vx::kClsidVexaro);
    EXPECT_EQ(removed, (std::vector<std::string>{classKey + "\\InprocServer32", classKey,
                                                 kHandlerKey, kUninstallKey}));
    std::set<std::string> a(addedKeys.begin(), addedKeys.end());
    EXPECT_EQ(a, std::set<std::string>(removed.begin(), removed.end()));
    EXPECT_EQ(Fields(inf, "DefaultUninstall", "DelFiles"),
              (std::vector<std::string>{"Vexaro.Module", "Vexaro.Inf"}));
    EXPECT_TRUE(Fields(inf, "DefaultUninstall", "CopyFiles").empty());
    EXPECT_TRUE(Fields(inf, "DefaultUninstall", "AddReg").empty());
}

}  // namespace
}  // namespace vxtest
