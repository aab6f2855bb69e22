// The peer table read by the project's readers: the registry file through
// the registry file reader, the INF file through the AddReg reader, both
// into the host registry. Each row must leave what the table says, which
// the Windows test holds regedit and setupapi to.
#include <gtest/gtest.h>

#include "peer/PeerCases.h"
#include "platform/NoCase.h"
#include "platform/host/HostRegistryTree.h"
#include "platform/host/InfImport.h"
#include "platform/regfile/InfFile.h"

namespace vxtest::peer {
namespace {

// What the registry holds under the row's key.
std::string RowRegistry(const vx::HostRegistryTree& registry, const std::string& base,
                        const std::string& row) {
    const std::string top = vx::LowerCase("HKEY_CURRENT_USER\\" + base + "\\" + row);
    std::vector<Entry> entries;
    for (const vx::regfile::Key& key : registry.Export().keys) {
        const std::string lower = vx::LowerCase(key.path);
        if (lower.compare(0, top.size(), top) != 0) continue;
        if (lower.size() > top.size() && lower[top.size()] != '\\') continue;
        const std::string path =
            key.path.size() > top.size() ? key.path.substr(top.size() + 1) : "";
        if (!path.empty()) entries.push_back({path, true, "", 0, {}});
        for (const vx::regfile::Value& v : key.values) {
            entries.push_back({path, false, v.name, v.type, v.data});
        }
    }
    return Render(entries);
}

TEST(PeerTable, RegistryFileRowsReadAsTheTableSays) {
    vx::HostRegistryTree registry;
    vx::regfile::ParseError error;
    std::vector<vx::regfile::ParseError> skipped;
    ASSERT_TRUE(registry.ImportText(RegFileText(), &error, &skipped))
        << error.line << ": " << error.reason;
    for (const Row& row : RegRows()) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RowRegistry(registry, kRegBase, row.name), row.expected);
    }
    // Every row whose lines are not all read has its skipped lines listed.
    EXPECT_GE(skipped.size(), 15u);
}

TEST(PeerTable, InfRowsReadAsTheTableSays) {
    vx::regfile::InfDocument inf;
    vx::regfile::ParseError error;
    std::vector<vx::regfile::AddRegEntry> entries;
    ASSERT_TRUE(vx::regfile::ParseInf(InfFileText(), &inf, &error)) << error.reason;
    ASSERT_TRUE(vx::regfile::ReadAddReg(inf, kInfSection, &entries, &error))
        << error.line << ": " << error.reason;
    vx::HostRegistryTree registry;
    ASSERT_TRUE(vx::ImportAddReg(registry, entries, "HKEY_LOCAL_MACHINE\\Unused", &error))
        << error.line << ": " << error.reason;
    for (const Row& row : InfRows()) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RowRegistry(registry, kInfBase, row.name), row.expected);
    }
}

}  // namespace
}  // namespace vxtest::peer
