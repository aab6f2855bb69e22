// Reading of registry files: one pass over the lines, building the keys and
// values of the document. A line that regedit would pass over is noted and
// skipped; a value is taken whole or not at all.
#include "RegFile.h"

#include <cctype>

#include "RegFileText.h"
#include "RegRoots.h"

namespace vx::regfile {

namespace {

constexpr char kRegedit4Header[] = "REGEDIT4";
constexpr char kVersion5Header[] = "Windows Registry Editor Version 5.00";
constexpr uint32_t kTypeSz = 1;
constexpr uint32_t kTypeExpandSz = 2;
constexpr uint32_t kTypeBinary = 3;
constexpr uint32_t kTypeDword = 4;
constexpr uint32_t kTypeMultiSz = 7;
constexpr size_t kNone = static_cast<size_t>(-1);

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

size_t SkipBlanks(const std::string& text, size_t pos) {
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    return pos;
}

// Whether only blanks, or blanks and a comment, follow pos.
bool NothingMore(const std::string& text, size_t pos) {
    pos = SkipBlanks(text, pos);
    return pos == text.size() || text[pos] == ';';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A hex number at text[pos] as the C library's strtoul reads one: blanks, a
// sign, an optional 0x before a digit, then digits. *end is pos when there
// are no digits. False when the number does not fit into 32 bits or is
// negative and not zero.
bool ReadHexNumber(const std::string& text, size_t pos, uint32_t* out, size_t* end) {
    size_t i = SkipBlanks(text, pos);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        HexDigit(text[i + 2]) >= 0) {
        i += 2;
    }
    uint64_t value = 0;
    size_t digits = i;
    for (; i < text.size() && HexDigit(text[i]) >= 0; ++i) {
        value = value * 16 + HexDigit(text[i]);
        if (value > 0xFFFFFFFFu) return false;
    }
    if (i == digits) {
        *end = pos;
        *out = 0;
        return true;
    }
    if (negative && value != 0) return false;
    *end = i;
    *out = static_cast<uint32_t>(value);
    return true;
}

// The path of a key line with the root in its full spelling and doubled
// (and trailing) backslashes taken as one; empty when the root is unknown.
std::string NormalizeKeyPath(const std::string& path) {
    const size_t slash = path.find('\\');
    const std::string root = CanonicalRoot(path.substr(0, slash));
    if (root.empty() || slash == std::string::npos) return root;
    std::string out = root;
    size_t start = slash + 1;
    while (start <= path.size()) {
        size_t next = path.find('\\', start);
        if (next == std::string::npos) next = path.size();
        if (next > start) out += "\\" + path.substr(start, next - start);
        start = next + 1;
    }
    return out;
}

class Parser {
  public:
    // Trims the lines in place: a long file is not copied again.
    Parser(std::vector<std::string>& lines, ParseError* error) : m_lines(lines), m_error(error) {}

    bool Run(Document* out) {
        if (!ReadHeader()) return false;
        for (size_t i = 1; i < m_lines.size(); ++i) {
            m_line = static_cast<int>(i) + 1;
            if (!ReadLine(m_lines[i])) return false;
        }
        // The end of the file ends a list of bytes that was to go on.
        if (m_continued && !FinishHexValue()) return false;
        *out = std::move(m_document);
        return true;
    }

  private:
    bool Fail(const std::string& reason) {
        *m_error = {m_line, reason};
        return false;
    }

    // Notes a line that is passed over; the reading goes on.
    bool Skip(const std::string& reason, int line = 0) {
        m_document.skipped.push_back({line != 0 ? line : m_line, reason + "; line skipped"});
        return true;
    }

    bool ReadHeader() {
        m_line = 1;
        static const std::string kNoLine;
        const std::string& first = m_lines.empty() ? kNoLine : m_lines[0];
        const size_t begin = SkipBlanks(first, 0);
        size_t end = first.size();
        while (end > begin && IsBlank(first[end - 1])) --end;
        auto is = [&](const char* header) {
            return first.compare(begin, end - begin, header) == 0;
        };
        if (is(kRegedit4Header)) return true;
        if (is(kVersion5Header)) {
            m_unicodeData = true;
            return true;
        }
        return Fail("missing header \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\"");
    }

    bool ReadLine(std::string& line) {
        // A line that goes on with a list of bytes is taken as it is.
        if (m_continued) return ContinueHex(line);
        while (!line.empty() && IsBlank(line.back())) line.pop_back();
        const size_t pos = SkipBlanks(line, 0);
        if (pos == line.size() || line[pos] == ';') return true;
        if (line[pos] == '[') return ReadKey(line, pos + 1);
        if (line[pos] == '"' || line[pos] == '@') return ReadValue(line, pos);
        return Skip("neither a key, a value nor a comment");
    }

    bool ReadKey(const std::string& line, size_t pos) {
        const size_t close = line.rfind(']');
        if (pos < line.size() && IsBlank(line[pos])) return Skip("blank after '['");
        if (close == std::string::npos || close < pos) return Skip("key name without closing ']'");
        std::string inner = line.substr(pos, close - pos);
        // Whatever the line holds, the key before it takes no more values.
        m_key = kNone;
        Key key;
        key.line = m_line;
        if (!inner.empty() && inner[0] == '-') {
            inner.erase(0, 1);
            key.deleted = true;
            if (inner.empty() || (inner[0] != 'H' && inner[0] != 'h')) {
                return Skip("a deletion that names no root key");
            }
            key.path = NormalizeKeyPath(inner);
            // regedit stops the whole import at these two.
            if (key.path.empty()) return Fail("unknown root key in \"" + inner + "\"");
            if (key.path.find('\\') == std::string::npos) {
                return Fail("cannot delete the root key \"" + key.path + "\"");
            }
            m_document.keys.push_back(std::move(key));
            return true;
        }
        key.path = NormalizeKeyPath(inner);
        if (key.path.empty()) {
            return Skip("unknown root key in \"" + inner + "\"; its values go nowhere");
        }
        m_key = m_document.keys.size();
        m_document.keys.push_back(std::move(key));
        return true;
    }

    // Quoted text from the character after the opening quote at pos; pos
    // ends after the closing quote. False when the text is unreadable.
    static bool ReadQuoted(const std::string& line, size_t* pos, std::string* out) {
        std::string text;
        for (size_t i = *pos; i < line.size(); ++i) {
            char c = line[i];
            if (c == '"') {
                *pos = i + 1;
                *out = std::move(text);
                return true;
            }
            if (c == '\\') {
                if (++i == line.size()) return false;
                switch (line[i]) {
                    case 'n':
                        text += '\n';
                        break;
                    case 'r':
                        text += '\r';
                        break;
                    case '0':
                        return false;
                    default:  // \\, \" and any other character stand for it
                        text += line[i];
                        break;
                }
                continue;
            }
            text += c;
        }
        return false;
    }

    bool ReadValue(const std::string& line, size_t pos) {
        Value value;
        value.firstLine = m_line;
        if (line[pos] == '@') {
            ++pos;
        } else {
            ++pos;
            if (!ReadQuoted(line, &pos, &value.name)) return Skip("unreadable value name");
        }
        pos = SkipBlanks(line, pos);
        if (pos == line.size() || line[pos] != '=')
            return Skip("'=' expected after the value name");
        pos = SkipBlanks(line, pos + 1);
        const size_t d = pos;  // where the data begins
        if (line.compare(d, 1, "-") == 0) {
            if (!NothingMore(line, d + 1)) return Skip("text after '-'");
            value.deleted = true;
            return AddValue(std::move(value));
        }
        if (line.compare(d, 1, "\"") == 0) {
            size_t end = d + 1;
            std::string text;
            if (!ReadQuoted(line, &end, &text)) return Skip("unreadable text data");
            if (!NothingMore(line, end)) return Skip("text after the closing quote");
            value.type = kTypeSz;
            value.data.assign(text.begin(), text.end());
            value.data.push_back(0);
            return AddValue(std::move(value));
        }
        if (line.compare(d, 6, "dword:") == 0) {
            const size_t first = SkipBlanks(line, d + 6);
            size_t end = first;
            while (end < line.size() && HexDigit(line[end]) >= 0) ++end;
            if (end == first || end - first > 8 || !NothingMore(line, end)) {
                return Skip("dword needs 1 to 8 hex digits");
            }
            uint32_t number = 0;
            for (size_t i = first; i < end; ++i) number = (number << 4) | HexDigit(line[i]);
            value.type = kTypeDword;
            for (int i = 0; i < 4; ++i)
                value.data.push_back(static_cast<uint8_t>(number >> (8 * i)));
            return AddValue(std::move(value));
        }
        size_t dataStart = 0;
        if (line.compare(d, 4, "hex:") == 0) {
            value.type = kTypeBinary;
            dataStart = d + 4;
        } else if (line.compare(d, 4, "hex(") == 0) {
            // hex(N): with N in hex, without 0x; hex(): is type 0.
            size_t end = d + 4;
            const bool prefixed = line.size() > d + 5 && (line[d + 5] == 'x' || line[d + 5] == 'X');
            if (line.size() == d + 4 || prefixed ||
                !ReadHexNumber(line, d + 4, &value.type, &end) || line.compare(end, 2, "):") != 0) {
                return Skip("hex(N): needs a hex type number N");
            }
            dataStart = end + 2;
        } else {
            return Skip("unknown value type");
        }
        m_pending = std::move(value);
        return ReadHexPart(line, dataStart);
    }

    // A line after a list of bytes that goes on: blank and comment lines are
    // passed over; one that does not start with a hex digit ends the list,
    // and the value and the line are both skipped.
    bool ContinueHex(const std::string& line) {
        const size_t pos = SkipBlanks(line, 0);
        if (pos == line.size() || line[pos] == ';') return true;
        if (HexDigit(line[pos]) < 0) {
            m_continued = false;
            Skip("list of bytes not continued", m_pending.firstLine);
            return Skip("not the hex data that the line before announced");
        }
        return ReadHexPart(line, pos);
    }

    // One line's part of a list of bytes from pos: bytes separated by
    // commas, perhaps ending with a comma and a backslash when the list goes
    // on in the next line, perhaps followed by a comment.
    bool ReadHexPart(const std::string& line, size_t pos) {
        m_continued = false;
        while (pos < line.size()) {
            uint32_t byte = 0;
            size_t end = pos;
            if (!ReadHexNumber(line, pos, &byte, &end) || byte > 0xFF) return DropHex("bad byte");
            if (end == pos) {
                end = SkipBlanks(line, pos);
                if (end < line.size() && line[end] == '\\') {
                    if (!NothingMore(line, end + 1)) return DropHex("text after the backslash");
                    m_continued = true;
                    return true;
                }
                if (end < line.size() && line[end] == ';') break;
                return DropHex("missing byte");
            }
            m_pending.data.push_back(static_cast<uint8_t>(byte));
            if (end < line.size() && line[end] != ',') {
                if (!NothingMore(line, end)) return DropHex("bad byte");
                break;
            }
            pos = end < line.size() ? end + 1 : end;
        }
        return FinishHexValue();
    }

    bool DropHex(const std::string& reason) {
        const int first = m_pending.firstLine;
        m_pending = Value();
        m_continued = false;
        Skip(reason + " in a list of bytes", first);
        return true;
    }

    bool FinishHexValue() {
        Value value = std::move(m_pending);
        m_pending = Value();
        m_continued = false;
        const bool text =
            value.type == kTypeSz || value.type == kTypeExpandSz || value.type == kTypeMultiSz;
        if (m_unicodeData && text) {
            std::string reason;
            if (!Utf16DataToSingleByte(value.data, &value.data, &reason)) {
                m_line = value.firstLine;
                return Fail(reason);
            }
        }
        return AddValue(std::move(value));
    }

    bool AddValue(Value value) {
        value.lastLine = m_line;
        if (m_key == kNone) return Skip("value outside a key", value.firstLine);
        m_document.keys[m_key].values.push_back(std::move(value));
        return true;
    }

    std::vector<std::string>& m_lines;
    ParseError* m_error;
    Document m_document;
    int m_line = 0;
    bool m_unicodeData = false;  // version 5: text data in hex form is UTF-16LE
    size_t m_key = kNone;        // the key that takes values, in m_document.keys
    bool m_continued = false;
    Value m_pending;
};

}  // namespace

bool Parse(const std::string& bytes, Document* out, ParseError* error) {
    std::vector<std::string> lines;
    ParseError ignored;
    ParseError* sink = error != nullptr ? error : &ignored;
    if (!DecodeRegistryLines(bytes, &lines, sink)) return false;
    return Parser(lines, sink).Run(out);
}

}  // namespace vx::regfile
