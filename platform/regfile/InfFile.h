// Setup information (INF) files as the setup engines of Windows 95 and NT
// read them, as far as registry data goes: sections of lines, each line an
// optional key before '=' and comma-separated fields; ';' starts a comment
// outside quotes, a backslash at the end of a line continues it in the
// next, a double quote inside quoted text is written twice (a quote left
// open runs to the end of the line), and %key% takes the text of that key
// in the [Strings] section (%% is a percent sign; an unknown key and the
// system folders' numbers such as %11% stay as they are). A zero byte
// reads as a blank and the byte 0x1A ends the file.
//
// The registry lines of an AddReg section are "root, subkey, value name,
// flags, value..."; HKR stands for a key that the section is installed
// into (a driver's key). Text is single-byte (Windows-1252) and kept byte
// for byte; a file in UTF-16LE with its byte-order mark is converted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "RegFile.h"

namespace vx::regfile {

// AddReg flags.
constexpr uint32_t kAddRegBinary = 0x00000001;  // the value's data is a list of bytes
constexpr uint32_t kAddRegNoClobber = 0x00000002;
constexpr uint32_t kAddRegDeleteValue = 0x00000004;
constexpr uint32_t kAddRegAppend = 0x00000008;  // multi-string: add the strings it lacks
constexpr uint32_t kAddRegKeyOnly = 0x00000010;
constexpr uint32_t kAddRegOverwriteOnly = 0x00000020;
constexpr uint32_t kAddRegMultiSz = 0x00010000;
constexpr uint32_t kAddRegExpandSz = 0x00020000;
constexpr uint32_t kAddRegDword = 0x00010001;
constexpr uint32_t kAddRegNone = 0x00020001;

struct InfLine {
    int number = 0;  // 1-based line of the file where the line starts
    bool hasKey = false;
    std::string key;
    std::vector<std::string> fields;  // unquoted, with %key% replaced
};

struct InfSection {
    std::string name;
    std::vector<InfLine> lines;
};

struct InfDocument {
    std::vector<InfSection> sections;  // sections of one name are merged, in file order

    // A section by name, without regard to letter case; null when missing.
    const InfSection* Find(const std::string& name) const;
};

bool ParseInf(const std::string& bytes, InfDocument* out, ParseError* error);

// One registry line of an AddReg section.
struct AddRegEntry {
    int line = 0;
    std::string root;    // "HKR", or the full name of a root key
    std::string subkey;  // relative to the root; empty for the root itself
    bool keyOnly = false;
    std::string name;  // empty for the default value
    uint32_t flags = 0;
    uint32_t type = 0;
    std::vector<uint8_t> data;  // REG_SZ data ends with its zero byte
};

// The entries of one naming of an AddReg section: out[first, first + count).
struct AddRegRun {
    size_t first = 0;
    size_t count = 0;
};

// The registry lines of a section, in order. The section is an AddReg
// section, or an install section whose AddReg= lines name the AddReg
// sections to read. False with the line and reason of the first fault
// (a missing section, an unknown root key or flag, flags or a byte that
// are no number).
//
// Values are read as the setup engine reads them: a line of one or two
// fields sets the key's default value to empty text; a DWORD number is
// read as the C library's strtoul reads it (-1 is 0xFFFFFFFF, 12abc is 12,
// a number past 32 bits is 0xFFFFFFFF, an empty field is 0); an empty
// string ends a multi-string list; the value type may sit in the flags'
// high word with the binary flag (0x00070001: REG_MULTI_SZ from bytes).
// A byte is a hex number up to ff, perhaps written 0x7f, as the setup
// API's documentation has it. notes, when given, receives the lines whose
// data was not taken as written.
// With runs, a section named again is not read again: out holds each
// section's lines once, and runs lists, in the order of their naming, the
// lines that each naming applies.
bool ReadAddReg(const InfDocument& inf, const std::string& section, std::vector<AddRegEntry>* out,
                ParseError* error, std::vector<ParseError>* notes = nullptr,
                std::vector<AddRegRun>* runs = nullptr);

// Text as one INF field: in double quotes, with double quotes and percent
// signs doubled. False when the text holds what no INF line can carry: a
// line end, a zero byte or the end-of-file mark 0x1A.
bool InfQuoted(const std::string& text, std::string* out);

// AddReg lines in HKR form (CR LF line ends) for keys whose paths are
// relative to HKR: one line per value, a key-only line for a key that has
// neither values nor keys under it in the list. Every value is written so that ReadAddReg gives
// back its type and data exactly; false with a reason naming the key and value that an INF cannot
// carry (text with a line end, REG_SZ or REG_EXPAND_SZ data that is not plain text, a type number
// above 0xFFFF).
bool WriteAddReg(const std::vector<Key>& keys, std::string* lines, std::string* reason);

}  // namespace vx::regfile
