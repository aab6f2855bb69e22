// Registry files as regedit reads and writes them: REGEDIT4 text, and the
// "Windows Registry Editor Version 5.00" exports (UTF-16LE with a byte-order
// mark, or UTF-8), which are read only.
//
// Lines are read as regedit reads them: a line it cannot read is skipped
// and the reading goes on (Parse lists each in Document::skipped); only a
// file regedit would not import at all, or would stop in, is refused. A
// comment may follow the data after ';'; a CR by itself ends a line as CR
// LF and LF do; text after a key's last ']' is ignored; a key path's
// doubled backslashes count as one. Values that follow a key line that
// opens no key (an unknown root, a deletion) belong to no key and are
// skipped. Quoted text knows the escapes \\, \", \n and \r; any other
// character after a backslash stands for itself, except 0, which makes the
// line unreadable. Data types are spelled in lower case (dword:, hex:,
// hex(N):). A list of bytes goes on in the next line after a comma and a
// backslash; blank and comment lines inside it are passed over, and the
// end of the file ends it.
//
// The registry behind these files holds single-byte (Windows-1252) text, as
// Windows 95's does. Unicode text is converted to it; a character without a
// single-byte form makes the file malformed. In version 5 files the text
// data written in hex form (hex(1), hex(2), hex(7)) is UTF-16LE and is
// converted as well. Hex text data is kept as written: no zero is added at
// its end (an NT registry adds one). Root keys may be abbreviated (HKLM,
// HKCU, HKCR, HKU, HKCC, HKDD); Parse gives every path with the root's full
// name.
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

struct ParseError {
    int line = 0;  // 1-based line of the fault
    std::string reason;
};

// The keys and values of a file, in file order.
struct Document {
    std::vector<Key> keys;
    std::vector<ParseError> skipped;  // the lines passed over, with why
};

// Parses a whole file. On failure (no header, text that cannot be decoded,
// a deletion that would stop regedit's import) returns false, fills error
// and leaves *out untouched.
bool Parse(const std::string& bytes, Document* out, ParseError* error);

// REGEDIT4 text of a document (CR LF line ends), which Parse reads back to
// the same document. REG_SZ data that is not plain text (no terminating
// zero, a control character or a zero inside) is written as hex(1):. A
// deleted key is written without values.
std::string Write(const Document& document);

}  // namespace vx::regfile
