// The peer table: registry files and INF AddReg lines that both this
// system's readers and Windows' own (regedit, the setup API) read, each
// row with the registry it must leave. The host test reads the table with
// the project's readers; the Windows test hands the same files to regedit
// and setupapi under Wine, so that each row shows both agree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vxtest::peer {

struct Row {
    const char* name;      // the row's key under the table's key
    const char* text;      // its lines; @K@ stands for the row's key path
    const char* expected;  // the registry under the row's key, as Render gives it
    // Where Windows 95's single-byte registry keeps what Wine's UTF-16 one
    // does not, or the setup API's documentation says otherwise than Wine
    // does: Wine's answer and why ours stays. Null where both agree.
    const char* wine = nullptr;
    const char* why = nullptr;
};

const std::vector<Row>& RegRows();
const std::vector<Row>& InfRows();

// The keys of the rows, below HKEY_CURRENT_USER.
constexpr char kRegBase[] = "Software\\VexaroPeer\\Reg";
constexpr char kInfBase[] = "Software\\VexaroPeer\\Inf";
constexpr char kInfSection[] = "Install";

// One registry file of every row, each under its own key line (the last
// row ends the file inside its data); and one INF file whose install
// section adds every INF row's lines.
std::string RegFileText();
std::string InfFileText();

// What a key holds, for Render: a subkey (name empty, isKey) or a value.
struct Entry {
    std::string path;  // relative to the row's key, parts joined by '\'; "" for the key itself
    bool isKey = false;
    std::string name;
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

// The entries in one line, sorted: "Sub/" for a key, "Sub/name=type:hex"
// for a value ("name=..." directly under the row's key).
std::string Render(const std::vector<Entry>& entries);

}  // namespace vxtest::peer
