// The peer table against Windows' own readers under Wine: the table's
// registry file imported by regedit (/s), its INF file installed by the
// setup API, then each row's key read back. A row agrees when Wine leaves
// what the table expects of the project's readers; rows that differ on
// purpose must leave Wine's answer that the table notes.
#include <gtest/gtest.h>
#include <windows.h>
// The setup API needs the definitions above.
#include <setupapi.h>

#include <cstdio>
#include <fstream>

#include "peer/PeerCases.h"
#include "platform/win32/RegTree.h"
#include "platform/win32/WinHandles.h"

namespace vxtest::peer {
namespace {

// Text data of Wine's UTF-16 registry in single-byte form (the table's
// text is ASCII); data of odd length was not stored as text and stays.
std::vector<uint8_t> SingleByte(DWORD type, std::vector<uint8_t> data) {
    if ((type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) || data.size() % 2) {
        return data;
    }
    std::vector<uint8_t> out;
    for (size_t i = 0; i < data.size(); i += 2) {
        out.push_back(data[i + 1] == 0 ? data[i] : '?');
    }
    return out;
}

void ReadKey(HKEY key, const std::string& path, std::vector<Entry>* out) {
    wchar_t name[16384];
    std::vector<uint8_t> data(65536);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 16384;
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data.data(), &size) !=
            ERROR_SUCCESS) {
            break;
        }
        std::string narrow;
        for (DWORD c = 0; c < nameLength; ++c) narrow += static_cast<char>(name[c]);
        out->push_back({path, false, narrow, type,
                        SingleByte(type, std::vector<uint8_t>(data.begin(), data.begin() + size))});
    }
    char subkey[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof subkey;
        if (RegEnumKeyExA(key, i, subkey, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        const std::string sub = path.empty() ? subkey : path + "\\" + subkey;
        out->push_back({sub, true, "", 0, {}});
        const vx::UniqueRegKey child = vx::OpenRegKey(key, subkey);
        if (child) ReadKey(child.get(), sub, out);
    }
}

std::string RowRegistry(const std::string& base, const std::string& row) {
    std::vector<Entry> entries;
    const vx::UniqueRegKey key = vx::OpenRegKey(HKEY_CURRENT_USER, (base + "\\" + row).c_str());
    if (key) ReadKey(key.get(), "", &entries);
    return Render(entries);
}

std::string TempFile(const char* name, const std::string& text) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// Holds each row to the table; returns how many agree with what the
// project's readers leave.
int CheckRows(const std::vector<Row>& rows, const char* base, const char* what) {
    int same = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(what) + " row " + row.name);
        const std::string got = RowRegistry(base, row.name);
        if (row.wine == nullptr) {
            EXPECT_EQ(got, row.expected);
            same += got == row.expected;
        } else {
            EXPECT_EQ(got, row.wine) << row.why;
            std::printf("%s row %s differs on purpose: ours %s, Wine %s: %s\n", what, row.name,
                        row.expected, got.c_str(), row.why);
        }
    }
    std::printf("%s: %d of %zu rows agree\n", what, same, rows.size());
    return same;
}

class PeerTable : public ::testing::Test {
  protected:
    void SetUp() override { vx::DeleteRegTree(HKEY_CURRENT_USER, "Software\\VexaroPeer"); }
    void TearDown() override { vx::DeleteRegTree(HKEY_CURRENT_USER, "Software\\VexaroPeer"); }
};

TEST_F(PeerTable, RegeditImportsTheRegistryFileRowsAsTheTableSays) {
    const std::string file = TempFile("vexaro-peer.reg", RegFileText());
    std::string command = "regedit.exe /s \"" + file + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    const vx::UniqueKernelHandle processHandle(process.hProcess);
    const vx::UniqueKernelHandle threadHandle(process.hThread);
    ASSERT_EQ(WaitForSingleObject(processHandle.get(), 120000), WAIT_OBJECT_0);
    DeleteFileA(file.c_str());
    CheckRows(RegRows(), kRegBase, "regedit");
}

TEST_F(PeerTable, SetupApiInstallsTheInfRowsAsTheTableSays) {
    const std::string file = TempFile("vexaro-peer.inf", InfFileText());
    HINF inf = SetupOpenInfFileA(file.c_str(), nullptr, INF_STYLE_WIN4, nullptr);
    ASSERT_NE(inf, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetupInstallFromInfSectionA(nullptr, inf, kInfSection, SPINST_REGISTRY, nullptr,
                                            nullptr, 0, nullptr, nullptr, nullptr, nullptr));
    SetupCloseInfFile(inf);
    DeleteFileA(file.c_str());
    CheckRows(InfRows(), kInfBase, "setupapi");
}

}  // namespace
}  // namespace vxtest::peer
