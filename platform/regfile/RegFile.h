// Registry files as regedit reads and writes them: REGEDIT4 text, and the
// "Windows Registry Editor Version 5.00" exports (UTF-16LE with a byte-order
// mark, or UTF-8), which are read only.
//
// The registry behind these files holds single-byte (Windows-1252) text.
// Unicode text is converted to it; a character without a single-byte form
// makes the file malformed. In version 5 files the text data written in
// hex form (hex(1), hex(2), hex(7)) is UTF-16LE and is converted as well.
// Root keys may be abbreviated (HKLM, HKCU, HKCR, HKU, HKCC); Parse gives
// every path with the root's full name. Quoted text knows the escapes for
// a backslash and a double quote (and for CR, LF and zero, as Wine writes
// them: backslash followed by r, n or 0).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx::regfile {

struct Value {
    std::string name;           // empty for the default value (@)
    uint32_t type = 0;          // REG_SZ, REG_DWORD, REG_BINARY, hex(N) types ...
    std::vector<uint8_t> data;  // as stored; REG_SZ data ends with its zero byte
    bool deleted = false;       // "name"=-
    int firstLine = 0;          // lines of the file that hold it (1-based); 0 when not read
    int lastLine = 0;           // from a file
};

struct Key {
    std::string path;      // full path with its root, e.g. HKEY_LOCAL_MACHINE\Software\Corvane
    bool deleted = false;  // [-path]
    std::vector<Value> values;
    int line = 0;  // the line of its "[path]" (1-based); 0 when not read from a file
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
// the same document. REG_SZ data that is not plain text (no terminating
// zero, a control character or a zero inside) is written as hex(1):. A
// deleted key is written without values.
std::string Write(const Document& document);

}  // namespace vx::regfile
