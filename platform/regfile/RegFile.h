// Registry files as regedit reads and writes them: REGEDIT4 text, and the
// "Windows Registry Editor Version 5.00" exports (UTF-16LE with a byte-order
// mark, or UTF-8), which are read only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx::regfile {

struct Value {
    std::string name;  // empty for the default value (@)
    uint32_t type = 0;  // REG_SZ, REG_DWORD, REG_BINARY, hex(N) types ...
    std::vector<uint8_t> data;  // as stored; REG_SZ data ends with its zero byte
    bool deleted = false;       // "name"=-
};

struct Key {
    std::string path;  // full path with its root, e.g. HKEY_LOCAL_MACHINE\Software\Corvane
    bool deleted = false;  // [-path]
    std::vector<Value> values;
};

// The keys and values of a file, in file order.
struct Document {
    std::vector<Key> keys;
};

struct ParseError {
    int line = 0;  // 1-based line of the fault
    std::string reason;
};

// Parses a whole file. On failure returns false, fills error and leaves
// *out untouched.
bool Parse(const std::string& bytes, Document* out, ParseError* error);

// REGEDIT4 text of a document (CR LF line ends), which Parse reads back to
// the same document.
std::string Write(const Document& document);

}  // namespace vx::regfile
