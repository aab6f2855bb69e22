// Reading of INF files into sections of lines, the AddReg lines among them,
// and writing of AddReg lines.
#include "InfFile.h"

#include <cctype>
#include <cstdio>
#include <map>

#include "RegFileText.h"
#include "RegRoots.h"
#include "platform/NoCase.h"
#include "platform/Trim.h"
#include "platform/WinConstants.h"

namespace vx::regfile {

namespace {

constexpr uint32_t kTypeMask = 0xFFFF0001;
constexpr uint32_t kKnownFlags = kAddRegBinary | kAddRegNoClobber | kAddRegDeleteValue |
                                 kAddRegAppend | kAddRegKeyOnly | kAddRegOverwriteOnly;
constexpr char kEndOfFile = '\x1A';
constexpr char kLineEnd[] = "\r\n";
constexpr size_t kByteLineLimit = 76;  // a list of bytes goes on in the next line past this

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string TrimRight(const std::string& text) {
    return vx::TrimRight(text, IsBlank);
}

std::string Trim(const std::string& text) {
    return vx::Trim(text, IsBlank);
}

// The text of a physical line without its comment; true when a quote is
// left open, which runs to the end of the line.
bool StripComment(const std::string& line, std::string* out) {
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ';' && !quoted) {
            *out = line.substr(0, i);
            return false;
        }
    }
    *out = line;
    return quoted;
}

// Splits a logical line (without comment) into its key and fields.
void SplitFields(const std::string& text, InfLine* line) {
    std::string field;
    size_t significant = 0;  // length of field up to its last quoted or non-blank character
    bool started = false;
    bool quoted = false;
    auto finish = [&]() {
        field.resize(significant);
        std::string done = std::move(field);
        field.clear();
        significant = 0;
        started = false;
        return done;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
            started = true;
            significant = field.size();
            continue;
        }
        if (!quoted && c == ',') {
            line->fields.push_back(finish());
            continue;
        }
        if (!quoted && c == '=' && !line->hasKey && line->fields.empty()) {
            line->hasKey = true;
            line->key = finish();
            continue;
        }
        if (!quoted && IsBlank(c)) {
            if (started) field += c;
            continue;
        }
        field += c;
        started = true;
        significant = field.size();
    }
    line->fields.push_back(finish());
}

// %key% replaced by the key's text in [Strings], %% by a percent sign; a
// key that is not there stays as it is.
std::string Substitute(const std::string& text, const std::map<std::string, std::string>& strings) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        size_t close = text[i] == '%' ? text.find('%', i + 1) : std::string::npos;
        if (close == std::string::npos) {
            out += text[i++];
            continue;
        }
        std::string key = text.substr(i + 1, close - i - 1);
        if (key.empty()) {
            out += '%';
        } else {
            auto found = strings.find(LowerCase(key));
            out += found != strings.end() ? found->second : text.substr(i, close - i + 1);
        }
        i = close + 1;
    }
    return out;
}

class Parser {
  public:
    explicit Parser(ParseError* error) : m_error(error) {}

    bool Run(const std::vector<std::string>& lines, InfDocument* out) {
        // A backslash at the end of a line (outside quotes) joins it with
        // the next; the blanks around the join go.
        std::string pending;
        int pendingStart = 0;
        bool continuing = false;
        for (size_t i = 0; i < lines.size(); ++i) {
            m_line = static_cast<int>(i) + 1;
            std::string text;
            bool open = StripComment(lines[i], &text);
            if (continuing) {
                text.erase(0, text.find_first_not_of(" \t") == std::string::npos
                                  ? text.size()
                                  : text.find_first_not_of(" \t"));
            } else {
                pending.clear();
                pendingStart = m_line;
            }
            if (!open) text = TrimRight(text);
            continuing = !open && !text.empty() && text.back() == '\\';
            if (continuing) text = TrimRight(text.substr(0, text.size() - 1));
            pending += text;
            if (continuing) continue;
            m_line = pendingStart;
            if (!ReadLine(pending)) return false;
        }
        if (continuing) {
            m_line = pendingStart;
            if (!ReadLine(pending)) return false;
        }
        SubstituteStrings();
        *out = std::move(m_document);
        return true;
    }

  private:
    bool Fail(const std::string& reason) {
        *m_error = {m_line, reason};
        return false;
    }

    bool ReadLine(const std::string& text) {
        std::string trimmed = Trim(text);
        if (trimmed.empty()) return true;
        if (trimmed[0] == '[') {
            size_t close = trimmed.find(']');
            if (close == std::string::npos) return Fail("section name without closing ']'");
            std::string name = trimmed.substr(1, close - 1);
            m_section = nullptr;
            for (InfSection& s : m_document.sections) {
                if (SameNoCase(s.name, name)) m_section = &s;
            }
            if (m_section == nullptr) {
                m_document.sections.push_back({name, {}});
                m_section = &m_document.sections.back();
            }
            return true;
        }
        if (m_section == nullptr) return Fail("line outside a section");
        InfLine line;
        line.number = m_line;
        SplitFields(trimmed, &line);
        m_section->lines.push_back(std::move(line));
        return true;
    }

    void SubstituteStrings() {
        std::map<std::string, std::string> strings;
        for (const InfSection& s : m_document.sections) {
            if (!SameNoCase(s.name, "Strings")) continue;
            for (const InfLine& line : s.lines) {
                if (line.hasKey) strings[LowerCase(line.key)] = line.fields.front();
            }
        }
        for (InfSection& s : m_document.sections) {
            if (SameNoCase(s.name, "Strings")) continue;
            for (InfLine& line : s.lines) {
                if (line.hasKey) line.key = Substitute(line.key, strings);
                for (std::string& field : line.fields) field = Substitute(field, strings);
            }
        }
    }

    ParseError* m_error;
    InfDocument m_document;
    InfSection* m_section = nullptr;
    int m_line = 0;
};

int DigitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    return v < base ? v : -1;
}

// A number as the setup engines read one: 0x... hex, 0... octal, else
// decimal; the whole text, within 32 bits.
bool ParseNumber(const std::string& field, uint32_t* out) {
    std::string text = Trim(field);
    int base = 10;
    size_t start = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        start = 2;
    } else if (text.size() > 1 && text[0] == '0') {
        base = 8;
        start = 1;
    }
    if (start == text.size()) return false;
    uint64_t value = 0;
    for (size_t i = start; i < text.size(); ++i) {
        int digit = DigitValue(text[i], base);
        if (digit < 0) return false;
        value = value * base + digit;
        if (value > 0xFFFFFFFFu) return false;
    }
    *out = static_cast<uint32_t>(value);
    return true;
}

// A DWORD value's number as the setup engine reads it, with the C
// library's strtoul: a sign, then 0x... hex, 0... octal or decimal, up to
// the first character that is no digit; past 32 bits it is 0xFFFFFFFF, a
// minus sign negates, and no digits at all are 0. note says what was not
// taken as written.
uint32_t DwordField(const std::string& field, std::string* note) {
    const std::string text = Trim(field);
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        i + 2 < text.size() && DigitValue(text[i + 2], 16) >= 0) {
        base = 16;
        i += 2;
    } else if (i < text.size() && text[i] == '0') {
        base = 8;
    }
    uint64_t value = 0;
    bool overflow = false;
    const size_t first = i;
    for (; i < text.size() && DigitValue(text[i], base) >= 0; ++i) {
        value = value * base + DigitValue(text[i], base);
        if (value > 0xFFFFFFFFu) {
            overflow = true;
            value = 0xFFFFFFFFu;
        }
    }
    if (i == first && !text.empty()) {
        *note = "\"" + text + "\" is not a number; read as 0";
        return 0;
    }
    uint32_t result = static_cast<uint32_t>(value);
    if (overflow) {
        *note = "\"" + text + "\" does not fit into 32 bits; read as 0xFFFFFFFF";
        return negative ? 1 : 0xFFFFFFFFu;
    }
    if (negative) result = 0u - result;
    if (i < text.size())
        *note = "\"" + text + "\" is read as its leading number " + text.substr(0, i);
    return result;
}

// One byte of a list: a hex number from 0 to ff, perhaps after 0x.
bool ParseByte(const std::string& field, uint8_t* out) {
    std::string text = Trim(field);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.erase(0, 2);
    if (text.empty()) return false;
    int value = 0;
    for (char c : text) {
        int digit = DigitValue(c, 16);
        if (digit < 0) return false;
        value = value * 16 + digit;
        if (value > 0xFF) return false;
    }
    *out = static_cast<uint8_t>(value);
    return true;
}

std::string HexText(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(value));
    return text;
}

bool ReadEntry(const InfLine& line, AddRegEntry* entry, ParseError* error,
               std::vector<ParseError>* notes) {
    auto fail = [&](const std::string& reason) {
        *error = {line.number, reason};
        return false;
    };
    auto note = [&](const std::string& reason) {
        if (notes != nullptr) notes->push_back({line.number, reason});
    };
    if (line.hasKey) return fail("'=' in a registry line");
    const std::vector<std::string>& f = line.fields;
    entry->line = line.number;
    std::string root = Trim(f[0]);
    if (SameNoCase(root, "HKR")) {
        entry->root = "HKR";
    } else {
        entry->root = CanonicalRoot(root);
        if (entry->root.empty()) return fail("unknown root key \"" + root + "\"");
    }
    if (f.size() > 1) entry->subkey = f[1];
    // Without a value name field the line sets the key's default value to
    // empty text, as a string line without data does.
    if (f.size() > 2) entry->name = f[2];
    if (f.size() > 3 && !Trim(f[3]).empty() && !ParseNumber(f[3], &entry->flags)) {
        return fail("flags \"" + f[3] + "\" are not a number");
    }
    uint32_t unknown = entry->flags & 0xFFFF & ~kKnownFlags;
    if (unknown != 0) return fail("unsupported flag " + HexText(unknown));
    if (entry->flags & kAddRegKeyOnly) {
        entry->keyOnly = true;
        return true;
    }
    if (entry->flags & kAddRegDeleteValue) return true;

    std::vector<std::string> values(f.begin() + std::min<size_t>(f.size(), 4), f.end());
    auto text = [&](const std::string& s) {
        entry->data.insert(entry->data.end(), s.begin(), s.end());
        entry->data.push_back(0);
    };
    auto bytes = [&]() {
        for (const std::string& v : values) {
            uint8_t b = 0;
            if (!ParseByte(v, &b)) return fail("bad byte \"" + v + "\"");
            entry->data.push_back(b);
        }
        return true;
    };
    switch (entry->flags & kTypeMask) {
        case 0:
        case kAddRegExpandSz:
            entry->type = (entry->flags & kTypeMask) == 0 ? vx::kRegSz : vx::kRegExpandSz;
            if (values.size() > 1) return fail("more than one text for a string value");
            text(values.empty() ? std::string() : values[0]);
            return true;
        case kAddRegMultiSz:
            entry->type = vx::kRegMultiSz;
            // An empty string ends the list: it could not be told from its end.
            for (size_t i = 0; i < values.size(); ++i) {
                if (values[i].empty()) {
                    if (i + 1 < values.size())
                        note("the strings after an empty string are left out");
                    break;
                }
                text(values[i]);
            }
            entry->data.push_back(0);
            return true;
        case kAddRegDword:
            entry->type = vx::kRegDword;
            // One field is a number; none or several are bytes.
            if (values.size() != 1) return bytes();
            {
                std::string why;
                const uint32_t n = DwordField(values[0], &why);
                if (!why.empty()) note(why);
                for (int i = 0; i < 4; ++i)
                    entry->data.push_back(static_cast<uint8_t>(n >> (8 * i)));
            }
            return true;
        case kAddRegNone:
            entry->type = vx::kRegNone;
            return bytes();
        case kAddRegBinary:
            entry->type = vx::kRegBinary;
            return bytes();
        default:
            if (!(entry->flags & kAddRegBinary)) {
                return fail("unknown value type in flags " + HexText(entry->flags));
            }
            entry->type = entry->flags >> 16;
            return bytes();
    }
}

bool ReadSection(const InfDocument& inf, const std::string& name, int line,
                 std::vector<AddRegEntry>* out, ParseError* error, std::vector<ParseError>* notes) {
    const InfSection* section = inf.Find(name);
    if (section == nullptr) {
        *error = {line, "no section [" + name + "]"};
        return false;
    }
    for (const InfLine& l : section->lines) {
        AddRegEntry entry;
        if (!ReadEntry(l, &entry, error, notes)) return false;
        out->push_back(std::move(entry));
    }
    return true;
}

// Text that fits in quotes, the zero byte at its end not counted.
bool IsPlainText(const std::vector<uint8_t>& data, size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) {
        if (data[i] == 0 || data[i] == '\r' || data[i] == '\n' || data[i] == kEndOfFile) {
            return false;
        }
    }
    return true;
}

// The strings of REG_MULTI_SZ data that the reader rebuilds exactly: each
// non-empty and ended by a zero, then one more zero (or the lone zero of
// an empty list).
bool NeatStrings(const std::vector<uint8_t>& data, std::vector<std::string>* out) {
    if (data.size() == 1 && data[0] == 0) return true;
    if (data.size() < 3 || data[data.size() - 1] != 0 || data[data.size() - 2] != 0) return false;
    size_t start = 0;
    for (size_t i = 0; i + 1 < data.size(); ++i) {
        if (data[i] != 0) continue;
        if (i == start || !IsPlainText(data, start, i)) return false;
        out->emplace_back(data.begin() + start, data.begin() + i);
        start = i + 1;
    }
    return true;
}

void AppendBytes(std::string* line, const std::vector<uint8_t>& data) {
    size_t column = line->size() - (line->rfind('\n') + 1);
    char digits[4];
    for (uint8_t b : data) {
        std::snprintf(digits, sizeof digits, "%02x", b);
        if (column + 4 > kByteLineLimit) {
            *line += std::string(",\\") + kLineEnd + "    " + digits;
            column = 6;
        } else {
            *line += std::string(",") + digits;
            column += 3;
        }
    }
}

bool ValueLine(const std::string& subkey, const Value& value, std::string* line,
               std::string* reason) {
    std::string quotedKey;
    std::string quotedName;
    if (!InfQuoted(subkey, &quotedKey) ||
        (!value.name.empty() && !InfQuoted(value.name, &quotedName))) {
        *reason = "a line end, zero byte or 0x1A in its name";
        return false;
    }
    *line = "HKR," + (subkey.empty() ? std::string() : quotedKey) + "," + quotedName + ",";
    const std::vector<uint8_t>& d = value.data;
    bool plain = !d.empty() && d.back() == 0 && IsPlainText(d, 0, d.size() - 1);
    std::vector<std::string> strings;
    if (value.type == vx::kRegSz || value.type == vx::kRegExpandSz) {
        if (!plain) {
            *reason = "text data that is not one line of text ended by a zero byte";
            return false;
        }
        std::string quoted;
        InfQuoted(std::string(d.begin(), d.end() - 1), &quoted);
        *line += HexText(value.type == vx::kRegSz ? 0 : kAddRegExpandSz) + "," + quoted;
    } else if (value.type == vx::kRegMultiSz && NeatStrings(d, &strings)) {
        *line += HexText(kAddRegMultiSz);
        for (const std::string& s : strings) {
            std::string quoted;
            InfQuoted(s, &quoted);
            *line += "," + quoted;
        }
    } else if (value.type == vx::kRegDword && d.size() == 4) {
        uint32_t n = d[0] | (d[1] << 8) | (d[2] << 16) | (static_cast<uint32_t>(d[3]) << 24);
        *line += HexText(kAddRegDword) + "," + HexText(n);
    } else {
        uint32_t flags = 0;
        if (value.type == vx::kRegBinary) {
            flags = kAddRegBinary;
        } else if (value.type == vx::kRegNone) {
            flags = kAddRegNone;
        } else if (value.type <= 0xFFFF) {
            flags = (value.type << 16) | kAddRegBinary;
        } else {
            *reason = "the type number " + HexText(value.type) + " does not fit into the flags";
            return false;
        }
        *line += HexText(flags);
        AppendBytes(line, d);
    }
    return true;
}

}  // namespace

const InfSection* InfDocument::Find(const std::string& name) const {
    for (const InfSection& s : sections) {
        if (SameNoCase(s.name, name)) return &s;
    }
    return nullptr;
}

bool ParseInf(const std::string& bytes, InfDocument* out, ParseError* error) {
    ParseError ignored;
    ParseError* sink = error != nullptr ? error : &ignored;
    std::vector<std::string> lines;
    if (!DecodeLines(bytes, &lines, sink)) return false;
    // The end-of-file mark of old editors ends the text; a zero byte reads
    // as a blank.
    for (std::string& line : lines) {
        for (char& c : line) {
            if (c == '\0') c = ' ';
        }
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        size_t mark = lines[i].find(kEndOfFile);
        if (mark != std::string::npos) {
            lines[i].resize(mark);
            lines.resize(i + 1);
            break;
        }
    }
    return Parser(sink).Run(lines, out);
}

bool ReadAddReg(const InfDocument& inf, const std::string& section, std::vector<AddRegEntry>* out,
                ParseError* error, std::vector<ParseError>* notes, std::vector<AddRegRun>* runs) {
    ParseError ignored;
    if (error == nullptr) error = &ignored;
    std::vector<AddRegEntry> entries;
    std::vector<ParseError> found;
    std::vector<AddRegRun> order;
    // Where each section read so far lies in entries, by its name in lower case.
    std::map<std::string, AddRegRun> read;
    auto readNamed = [&](const std::string& name, int line) {
        if (runs == nullptr) return ReadSection(inf, name, line, &entries, error, &found);
        std::string key = name;
        for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        auto known = read.find(key);
        if (known == read.end()) {
            const size_t first = entries.size();
            if (!ReadSection(inf, name, line, &entries, error, &found)) return false;
            known = read.emplace(key, AddRegRun{first, entries.size() - first}).first;
        }
        order.push_back(known->second);
        return true;
    };
    const InfSection* s = inf.Find(section);
    if (s == nullptr) {
        *error = {0, "no section [" + section + "]"};
        return false;
    }
    bool install = false;
    for (const InfLine& line : s->lines) {
        if (!line.hasKey || !SameNoCase(Trim(line.key), "AddReg")) continue;
        install = true;
        for (const std::string& name : line.fields) {
            if (!Trim(name).empty() && !readNamed(Trim(name), line.number)) return false;
        }
    }
    if (!install && !readNamed(section, 0)) return false;
    *out = std::move(entries);
    if (notes != nullptr) *notes = std::move(found);
    if (runs != nullptr) *runs = std::move(order);
    return true;
}

bool InfQuoted(const std::string& text, std::string* out) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\r' || c == '\n' || c == '\0' || c == kEndOfFile) return false;
        if (c == '"' || c == '%') quoted += c;
        quoted += c;
    }
    *out = quoted + "\"";
    return true;
}

bool WriteAddReg(const std::vector<Key>& keys, std::string* lines, std::string* reason) {
    std::string text;
    for (const Key& key : keys) {
        if (key.deleted) continue;
        std::string quotedKey;
        if (!InfQuoted(key.path, &quotedKey)) {
            *reason = "key \"" + key.path + "\": a line end, zero byte or 0x1A in its name";
            return false;
        }
        bool any = false;
        for (const Value& value : key.values) {
            if (value.deleted) continue;
            std::string line;
            std::string why;
            if (!ValueLine(key.path, value, &line, &why)) {
                *reason = "key \"" + key.path + "\", value \"" + value.name + "\": " + why;
                return false;
            }
            text += line + kLineEnd;
            any = true;
        }
        bool parent = false;
        for (const Key& other : keys) {
            parent |= !other.deleted && other.path.size() > key.path.size() &&
                      other.path[key.path.size()] == '\\' &&
                      SameNoCase(other.path.substr(0, key.path.size()), key.path);
        }
        if (!any && !parent && !key.path.empty()) {
            text += "HKR," + quotedKey + ",," + HexText(kAddRegKeyOnly) + kLineEnd;
        }
    }
    *lines = std::move(text);
    return true;
}

}  // namespace vx::regfile
