// Reading of registry files: one pass over the lines, building the keys and
// values of the document; the first fault stops the pass with its line.
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

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string TrimRight(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) --end;
    return text.substr(0, end);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Reads 1 to maxDigits hex digits that make up the whole of text.
bool ParseHexNumber(const std::string& text, size_t maxDigits, uint32_t* out) {
    if (text.empty() || text.size() > maxDigits) return false;
    uint32_t value = 0;
    for (char c : text) {
        int digit = HexDigit(c);
        if (digit < 0) return false;
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    *out = value;
    return true;
}

// The text of a key line "[path]" or "[-path]" with the root in its full
// spelling; false with a reason when the path is not a key path.
bool NormalizeKeyPath(std::string path, std::string* out, std::string* reason) {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    size_t slash = path.find('\\');
    std::string root = CanonicalRoot(path.substr(0, slash));
    if (root.empty()) {
        *reason = "unknown root key \"" + path.substr(0, slash) + "\"";
        return false;
    }
    std::string rest = slash == std::string::npos ? std::string() : path.substr(slash);
    if (rest == "\\" || rest.find("\\\\") != std::string::npos ||
        (!rest.empty() && rest.back() == '\\')) {
        *reason = "empty key name in path";
        return false;
    }
    *out = root + rest;
    return true;
}

class Parser {
  public:
    Parser(const std::vector<std::string>& lines, ParseError* error)
        : m_lines(lines), m_error(error) {}

    bool Run(Document* out) {
        if (!ReadHeader()) return false;
        for (size_t i = 1; i < m_lines.size(); ++i) {
            m_line = static_cast<int>(i) + 1;
            if (!ReadLine(m_lines[i])) return false;
        }
        if (m_continued) return Fail("file ends inside a continued value");
        *out = std::move(m_document);
        return true;
    }

  private:
    bool Fail(const std::string& reason) {
        *m_error = {m_line, reason};
        return false;
    }

    bool ReadHeader() {
        m_line = 1;
        std::string header = TrimRight(m_lines.empty() ? std::string() : m_lines[0]);
        if (header == kRegedit4Header) return true;
        if (header == kVersion5Header) {
            m_unicodeData = true;
            return true;
        }
        return Fail("missing header \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\"");
    }

    bool ReadLine(const std::string& raw) {
        std::string line = TrimRight(raw);
        size_t pos = 0;
        while (pos < line.size() && IsBlank(line[pos])) ++pos;
        if (m_continued) return ReadHexPart(line.substr(pos));
        if (pos == line.size() || line[pos] == ';') return true;
        if (line[pos] == '[') return ReadKey(line.substr(pos));
        if (line[pos] == '"' || line[pos] == '@') return ReadValue(line, pos);
        return Fail("unexpected text");
    }

    bool ReadKey(const std::string& line) {
        if (line.size() < 2 || line.back() != ']') return Fail("key name without closing ']'");
        std::string inner = line.substr(1, line.size() - 2);
        Key key;
        key.line = m_line;
        if (!inner.empty() && inner[0] == '-') {
            key.deleted = true;
            inner.erase(0, 1);
        }
        std::string reason;
        if (!NormalizeKeyPath(inner, &key.path, &reason)) return Fail(reason);
        m_document.keys.push_back(std::move(key));
        return true;
    }

    // A quoted text starting at line[pos]; pos ends after the closing quote.
    bool ReadQuoted(const std::string& line, size_t* pos, std::string* out) {
        std::string text;
        for (size_t i = *pos + 1; i < line.size(); ++i) {
            char c = line[i];
            if (c == '"') {
                *pos = i + 1;
                *out = std::move(text);
                return true;
            }
            if (c == '\\') {
                if (++i == line.size()) break;
                switch (line[i]) {
                    case '\\':
                        text += '\\';
                        break;
                    case '"':
                        text += '"';
                        break;
                    case 'n':
                        text += '\n';
                        break;
                    case 'r':
                        text += '\r';
                        break;
                    case '0':
                        text += '\0';
                        break;
                    default:
                        return Fail(std::string("unknown escape sequence \\") + line[i]);
                }
                continue;
            }
            text += c;
        }
        return Fail("text without closing quote");
    }

    static void SkipBlanks(const std::string& line, size_t* pos) {
        while (*pos < line.size() && IsBlank(line[*pos])) ++*pos;
    }

    bool ReadValue(const std::string& line, size_t pos) {
        if (m_document.keys.empty()) return Fail("value outside a key");
        if (m_document.keys.back().deleted) return Fail("value under a deleted key");
        Value value;
        if (line[pos] == '@') {
            ++pos;
        } else if (!ReadQuoted(line, &pos, &value.name)) {
            return false;
        }
        SkipBlanks(line, &pos);
        if (pos == line.size() || line[pos] != '=') return Fail("'=' expected after value name");
        ++pos;
        SkipBlanks(line, &pos);
        std::string rest = line.substr(pos);
        // The type word's letters, whatever their case ("dword:", "hex(N):").
        std::string lower;
        for (size_t i = 0; i < rest.size() && i < 8; ++i) {
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(rest[i])));
        }

        if (!rest.empty() && rest[0] == '"') {
            size_t end = 0;
            std::string text;
            if (!ReadQuoted(rest, &end, &text)) return false;
            if (end != rest.size()) return Fail("unexpected text after closing quote");
            value.type = kTypeSz;
            value.data.assign(text.begin(), text.end());
            value.data.push_back(0);
            return AddValue(std::move(value));
        }
        if (rest == "-") {
            value.deleted = true;
            return AddValue(std::move(value));
        }
        if (lower.compare(0, 6, "dword:") == 0) {
            uint32_t number = 0;
            if (!ParseHexNumber(rest.substr(6), 8, &number)) {
                return Fail("dword needs 1 to 8 hex digits");
            }
            value.type = kTypeDword;
            for (int i = 0; i < 4; ++i)
                value.data.push_back(static_cast<uint8_t>(number >> (8 * i)));
            return AddValue(std::move(value));
        }
        size_t dataStart = 0;
        if (lower.compare(0, 4, "hex:") == 0) {
            value.type = kTypeBinary;
            dataStart = 4;
        } else if (lower.compare(0, 4, "hex(") == 0) {
            size_t close = rest.find("):", 4);
            if (close == std::string::npos ||
                !ParseHexNumber(rest.substr(4, close - 4), 8, &value.type)) {
                return Fail("hex(N): needs a hex type number N");
            }
            dataStart = close + 2;
        } else {
            return Fail("unknown value data");
        }
        m_pending = std::move(value);
        m_pendingLine = m_line;
        return ReadHexPart(rest.substr(dataStart));
    }

    // One line's part of a hex list: bytes separated by commas, with a
    // trailing backslash when the list goes on in the next line.
    bool ReadHexPart(std::string part) {
        m_continued = !part.empty() && part.back() == '\\';
        if (m_continued) part = TrimRight(part.substr(0, part.size() - 1));
        size_t pos = 0;
        while (pos < part.size()) {
            size_t comma = part.find(',', pos);
            std::string token = part.substr(pos, comma == std::string::npos ? comma : comma - pos);
            size_t first = 0;
            while (first < token.size() && IsBlank(token[first])) ++first;
            token = TrimRight(token.substr(first));
            uint32_t byte = 0;
            if (!ParseHexNumber(token, 2, &byte)) {
                return Fail(token.empty() ? "missing byte in hex list"
                                          : "bad byte \"" + token + "\" in hex list");
            }
            m_pending.data.push_back(static_cast<uint8_t>(byte));
            if (comma == std::string::npos) break;
            pos = comma + 1;
        }
        if (m_continued) return true;
        return FinishHexValue();
    }

    bool FinishHexValue() {
        Value value = std::move(m_pending);
        m_pending = Value();
        bool text =
            value.type == kTypeSz || value.type == kTypeExpandSz || value.type == kTypeMultiSz;
        if (m_unicodeData && text) {
            std::string reason;
            if (!Utf16DataToSingleByte(value.data, &value.data, &reason)) {
                m_line = m_pendingLine;
                return Fail(reason);
            }
        }
        return AddValue(std::move(value));
    }

    bool AddValue(Value value) {
        value.firstLine = m_pendingLine != 0 ? m_pendingLine : m_line;
        value.lastLine = m_line;
        m_pendingLine = 0;
        m_document.keys.back().values.push_back(std::move(value));
        return true;
    }

    const std::vector<std::string>& m_lines;
    ParseError* m_error;
    Document m_document;
    int m_line = 0;
    bool m_unicodeData = false;  // version 5: text data in hex form is UTF-16LE
    bool m_continued = false;
    Value m_pending;
    int m_pendingLine = 0;
};

}  // namespace

bool Parse(const std::string& bytes, Document* out, ParseError* error) {
    std::vector<std::string> lines;
    ParseError ignored;
    ParseError* sink = error != nullptr ? error : &ignored;
    if (!DecodeLines(bytes, &lines, sink)) return false;
    return Parser(lines, sink).Run(out);
}

}  // namespace vx::regfile
