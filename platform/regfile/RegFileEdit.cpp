#include "RegFileEdit.h"

#include <cctype>
#include <set>

#include "RegFileText.h"

namespace vx::regfile {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A line of the file as stored: [begin, end) holds its text and its line
// end, if it has one.
struct Span {
    size_t begin;
    size_t end;
};

// The stored lines, numbered as Parse numbers them: a line ends after
// each LF, CR LF or CR by itself (bytes, or UTF-16 units).
std::vector<Span> StoredLines(const std::string& bytes, size_t unit) {
    std::vector<Span> spans;
    size_t start = 0;
    auto unitIs = [&](size_t at, char c) {
        return at + unit <= bytes.size() && bytes[at] == c && (unit == 1 || bytes[at + 1] == '\0');
    };
    for (size_t i = 0; i + unit <= bytes.size(); i += unit) {
        if (unitIs(i, '\n') || (unitIs(i, '\r') && !unitIs(i + unit, '\n'))) {
            spans.push_back({start, i + unit});
            start = i + unit;
        }
    }
    if (start < bytes.size()) spans.push_back({start, bytes.size()});
    return spans;
}

bool IsBlankLine(const std::string& line) {
    for (char c : line) {
        if (c != ' ' && c != '\t' && c != '\r') return false;
    }
    return true;
}

// The length of the line end at the end of text (CR LF, LF or CR, in units).
size_t LineEndLength(const std::string& text, size_t unit) {
    auto unitIs = [&](size_t fromEnd, char c) {
        if (text.size() < fromEnd * unit) return false;
        size_t at = text.size() - fromEnd * unit;
        return text[at] == c && (unit == 1 || text[at + 1] == '\0');
    };
    if (unitIs(1, '\r')) return unit;
    if (!unitIs(1, '\n')) return 0;
    return (unitIs(2, '\r') ? 2 : 1) * unit;
}

}  // namespace

bool RemoveFromFile(const std::string& bytes, const Removals& removals, std::string* out,
                    ParseError* error) {
    Document document;
    std::vector<std::string> lines;
    if (!Parse(bytes, &document, error) || !DecodeRegistryLines(bytes, &lines, error)) return false;
    const size_t unit = bytes.compare(0, 2, "\xFF\xFE") == 0 ? 2 : 1;
    const std::vector<Span> spans = StoredLines(bytes, unit);

    std::vector<std::string> keys;
    for (const std::string& key : removals.keys) keys.push_back(Lower(key));
    std::set<std::pair<std::string, std::string>> values;
    for (const auto& [key, name] : removals.values) values.insert({Lower(key), Lower(name)});
    auto removedKey = [&](const std::string& path) {
        for (const std::string& key : keys) {
            if (path == key || (path.size() > key.size() && path.compare(0, key.size(), key) == 0 &&
                                path[key.size()] == '\\')) {
                return true;
            }
        }
        return false;
    };

    std::vector<bool> gone(spans.size() + 1, false);  // by line number
    auto drop = [&](int first, int last) {
        for (int line = first; line <= last; ++line) {
            if (line >= 1 && static_cast<size_t>(line) <= spans.size()) gone[line] = true;
        }
    };
    for (size_t k = 0; k < document.keys.size(); ++k) {
        const Key& key = document.keys[k];
        const std::string path = Lower(key.path);
        if (!key.deleted && removedKey(path)) {
            // The block: its key line, its values and its blank lines; a
            // comment in it may speak of what follows and stays.
            const int end = k + 1 < document.keys.size() ? document.keys[k + 1].line - 1
                                                         : static_cast<int>(lines.size());
            drop(key.line, key.line);
            for (const Value& value : key.values) drop(value.firstLine, value.lastLine);
            for (int line = key.line + 1; line <= end; ++line) {
                if (static_cast<size_t>(line) <= lines.size() && IsBlankLine(lines[line - 1])) {
                    drop(line, line);
                }
            }
            continue;
        }
        for (const Value& value : key.values) {
            if (!value.deleted && values.count({path, Lower(value.name)})) {
                drop(value.firstLine, value.lastLine);
            }
        }
    }

    std::string result;
    result.reserve(bytes.size());
    for (size_t i = 0; i < spans.size(); ++i) {
        if (!gone[i + 1]) result.append(bytes, spans[i].begin, spans[i].end - spans[i].begin);
    }
    // A file that ended without a line end still does when its last line went.
    if (!spans.empty() && gone[spans.size()] && LineEndLength(bytes, unit) == 0) {
        result.resize(result.size() - LineEndLength(result, unit));
    }
    *out = std::move(result);
    return true;
}

}  // namespace vx::regfile
