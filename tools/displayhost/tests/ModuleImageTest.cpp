// What tarnel.dll offers and needs, read from its own export and import tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "PeTables.h"
#include "ShellFixture.h"

namespace shelltest {
namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

PeTables TarnelTables() {
    return ReadPeTables(vxtest::TestPlatform::ReadFile(TarnelPath()));
}

TEST(ModuleImage, ExportsExactlyTheTwoServerEntryPoints) {
    PeTables tables = TarnelTables();
    ASSERT_TRUE(tables.valid) << tables.error;
    std::vector<std::string> names = tables.exports;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"DllCanUnloadNow", "DllGetClassObject"}));
    // No further entry reachable by ordinal only.
    EXPECT_EQ(tables.exportedFunctions, 2u);
}

TEST(ModuleImage, ImportsOnlyFromTheSystemLibrariesAndTandrel) {
    PeTables tables = TarnelTables();
    ASSERT_TRUE(tables.valid) << tables.error;
    const std::set<std::string> allowed = {"kernel32.dll", "user32.dll", "advapi32.dll",
                                           "comctl32.dll", "gdi32.dll",  "tandrel.dll"};
    for (const std::string& name : tables.imports)
        EXPECT_TRUE(allowed.count(Lower(name))) << "imports from " << name;
    EXPECT_TRUE(std::count_if(tables.imports.begin(), tables.imports.end(),
                              [](const std::string& n) { return Lower(n) == "tandrel.dll"; }))
        << "tandrel.dll is imported when the module loads";
    EXPECT_TRUE(tables.delayImports.empty());
}

TEST(ModuleImage, ReaderRefusesWhatIsNoImage) {
    EXPECT_FALSE(ReadPeTables("").valid);
    EXPECT_FALSE(ReadPeTables("MZ but nothing more").valid);
    std::string truncated = vxtest::TestPlatform::ReadFile(TarnelPath()).substr(0, 0x200);
    EXPECT_FALSE(ReadPeTables(truncated).valid);
}

}  // namespace
}  // namespace shelltest
