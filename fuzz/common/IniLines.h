// Which lines of an INI text an edit touched: the lines of the text before
// and after, less what they have in common at the start and at the end.
#pragma once

#include <string>
#include <vector>

namespace vxfuzz {

struct IniLine {
    std::string text;  // without its line end
    std::string end;   // "\r\n", "\n", "\r" or "" for a last line without one
};

struct IniEdit {
    std::vector<IniLine> removed;  // lines of the text before that are gone
    std::vector<IniLine> added;    // lines of the text after that are new
    bool markKept = true;          // the UTF-8 mark at the start is where it was
    // The text after begins with the mark's bytes and the text before did
    // not: a later line that begins with them came to the start.
    bool markArrived = false;
};

// A UTF-8 mark at the start of the text takes no part in its lines (in the
// text after an edit only when the text before began with one too). Two
// lines are alike when their text and line end are; a last line that lost
// or gained its line end (as lines are added after it or removed after it)
// is alike too, and so is a line whose lone CR became CR LF before a blank
// line of a lone LF. An empty last line is never counted as removed or added.
IniEdit EditBetween(const std::string& before, const std::string& after);

// Blanks of INI text: space, the controls 0x09 to 0x0D and ^Z.
bool IsIniBlank(char c);
std::string TrimIni(const std::string& text);
// Names compare without regard to ASCII letter case.
bool SameIniName(const std::string& a, const std::string& b);

// The lines of a text, the UTF-8 mark at its start left out: with n line
// breaks, n + 1 lines, the last one without a line end and perhaps empty.
std::vector<IniLine> SplitIniLines(const std::string& text);

// The lines that several edits of one text took away and put in: the lines
// outside a longest common sequence of alike lines.
IniEdit LineChanges(const std::string& before, const std::string& after);

// Reading of one line: whether it is a section header or a key, and the
// trimmed name.
bool IsHeaderLine(const IniLine& line, std::string* name);
bool IsKeyLine(const IniLine& line, std::string* name);

}  // namespace vxfuzz
