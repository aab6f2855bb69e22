#include "IniLines.h"

#include <algorithm>
#include <cstdint>

namespace vxfuzz {

namespace {

const std::string kMark = "\xEF\xBB\xBF";

bool HasMark(const std::string& text) {
    return text.compare(0, kMark.size(), kMark) == 0;
}

// The text's lines between its line breaks: a text with n line breaks has
// n + 1 lines, the last of them without a line end and perhaps empty.
std::vector<IniLine> SplitText(const std::string& text) {
    std::vector<IniLine> lines;
    size_t pos = 0;
    for (;;) {
        size_t stop = pos;
        while (stop < text.size() && text[stop] != '\r' && text[stop] != '\n') ++stop;
        IniLine line{text.substr(pos, stop - pos), {}};
        if (stop == text.size()) {
            lines.push_back(line);
            return lines;
        }
        const size_t size = text.compare(stop, 2, "\r\n") == 0 ? 2 : 1;
        line.end = text.substr(stop, size);
        pos = stop + size;
        lines.push_back(line);
    }
}

// The empty last line of a text takes no part in an edit.
void DropEmptyLast(std::vector<IniLine>* lines) {
    if (!lines->empty() && lines->back().text.empty() && lines->back().end.empty()) {
        lines->pop_back();
    }
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool Alike(const std::vector<IniLine>& a, size_t i, const std::vector<IniLine>& b, size_t j) {
    if (a[i].text != b[j].text) return false;
    if (a[i].end == b[j].end) return true;
    // A lone CR that became CR LF so that a blank line of a lone LF after it
    // stays a line of its own.
    if (a[i].end == "\r" && b[j].end == "\r\n" && j + 1 < b.size() && b[j + 1].text.empty() &&
        b[j + 1].end == "\n") {
        return true;
    }
    return (i + 1 == a.size() && a[i].end.empty()) || (j + 1 == b.size() && b[j].end.empty());
}

}  // namespace

bool IsIniBlank(char c) {
    return c == ' ' || c == 0x1A || (c >= 0x09 && c <= 0x0D);
}

std::string TrimIni(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsIniBlank(text[begin])) ++begin;
    while (end > begin && IsIniBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool SameIniName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

std::vector<IniLine> SplitIniLines(const std::string& text) {
    return SplitText(HasMark(text) ? text.substr(kMark.size()) : text);
}

namespace {

// An edit with what became of the mark, and the lines of both texts; a mark
// that arrived stays part of the first line after.
IniEdit StartEdit(const std::string& before, const std::string& after, std::vector<IniLine>* a,
                  std::vector<IniLine>* b) {
    IniEdit edit;
    edit.markKept = HasMark(before) == HasMark(after);
    edit.markArrived = !HasMark(before) && HasMark(after);
    *a = SplitIniLines(before);
    *b = edit.markArrived ? SplitText(after) : SplitIniLines(after);
    return edit;
}

}  // namespace

IniEdit EditBetween(const std::string& before, const std::string& after) {
    std::vector<IniLine> a;
    std::vector<IniLine> b;
    IniEdit edit = StartEdit(before, after, &a, &b);
    const size_t shorter = std::min(a.size(), b.size());
    size_t prefix = 0;
    while (prefix < shorter && Alike(a, prefix, b, prefix)) ++prefix;
    size_t suffix = 0;
    while (prefix + suffix < shorter && Alike(a, a.size() - 1 - suffix, b, b.size() - 1 - suffix)) {
        ++suffix;
    }
    edit.removed.assign(a.begin() + static_cast<long>(prefix), a.end() - static_cast<long>(suffix));
    edit.added.assign(b.begin() + static_cast<long>(prefix), b.end() - static_cast<long>(suffix));
    DropEmptyLast(&edit.removed);
    DropEmptyLast(&edit.added);
    return edit;
}

IniEdit LineChanges(const std::string& before, const std::string& after) {
    std::vector<IniLine> a;
    std::vector<IniLine> b;
    IniEdit edit = StartEdit(before, after, &a, &b);
    // lengths[i][j]: longest common sequence of a[i..] and b[j..].
    std::vector<std::vector<uint32_t>> lengths(a.size() + 1,
                                               std::vector<uint32_t>(b.size() + 1, 0));
    for (size_t i = a.size(); i-- > 0;) {
        for (size_t j = b.size(); j-- > 0;) {
            lengths[i][j] = Alike(a, i, b, j) ? lengths[i + 1][j + 1] + 1
                                              : std::max(lengths[i + 1][j], lengths[i][j + 1]);
        }
    }
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() || j < b.size()) {
        if (i < a.size() && j < b.size() && Alike(a, i, b, j)) {
            ++i;
            ++j;
        } else if (j == b.size() || (i < a.size() && lengths[i + 1][j] >= lengths[i][j + 1])) {
            edit.removed.push_back(a[i++]);
        } else {
            edit.added.push_back(b[j++]);
        }
    }
    DropEmptyLast(&edit.removed);
    DropEmptyLast(&edit.added);
    return edit;
}

bool IsHeaderLine(const IniLine& line, std::string* name) {
    const std::string trimmed = TrimIni(line.text);
    const size_t close = trimmed.rfind(']');
    if (trimmed.empty() || trimmed[0] != '[' || close == std::string::npos || close == 0) {
        return false;
    }
    *name = TrimIni(trimmed.substr(1, close - 1));
    return true;
}

bool IsKeyLine(const IniLine& line, std::string* name) {
    std::string header;
    const std::string trimmed = TrimIni(line.text);
    if (trimmed.empty() || IsHeaderLine(line, &header)) return false;
    *name = TrimIni(trimmed.substr(0, trimmed.find('=')));
    return true;
}

}  // namespace vxfuzz
