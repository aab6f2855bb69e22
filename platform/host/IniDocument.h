// The text of an INI file, read and edited the way the Windows profile
// functions see it, while every byte that an edit does not touch stays as it
// was: comments, blank lines, order, line endings and a missing final line
// ending.
//
// How the text is read:
// - A line ends at a line feed, a carriage return or both together.
// - White space around a line, a section name, a key and a value is space,
//   tab, the other control characters from 0x09 to 0x0D, and ^Z (0x1A).
// - A line that starts with '[' and has a ']' is a section header; the name
//   lies between the '[' and the last ']'. Lines before the first header
//   belong to an unnamed section.
// - Every other non-blank line is a key: the name up to the first '=' and
//   the value after it. A line without '=' is a key without value. Comment
//   lines (';') are not special: they are keys nobody asks for.
// - Names compare without regard to letter case (ASCII). The first section
//   with a name, and in it the first key with a name, wins; a key further
//   down in a second section of the same name is not seen.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace vx {

bool IsProfileSpace(char c);
std::string TrimProfileSpace(const std::string& text);

class IniDocument {
  public:
    explicit IniDocument(const std::string& bytes);

    // The value of a key, trimmed; false when the section, the key or its
    // '=' is missing.
    bool FindValue(const std::string& section, const std::string& key, std::string* value) const;

    // The edits of WritePrivateProfileString; each returns whether the text
    // changed. The section and key names are trimmed before use.
    // Replaces the key's value (leading white space of the value dropped) or
    // adds the key at the end of the section, or the section at the end of
    // the text.
    bool SetValue(const std::string& section, const std::string& key, const std::string& value);
    // Removes the first line of the key in any section of that name.
    bool DeleteKey(const std::string& section, const std::string& key);
    // Removes the first section of that name with all of its lines.
    bool DeleteSection(const std::string& section);

    std::string Text() const;

  private:
    friend class IniIndex;

    enum class Kind { kBlank, kHeader, kKey };
    struct Line {
        std::string text;  // without its line ending
        std::string end;   // "\r\n", "\n", "\r" or "" for a last line without one
        Kind kind = Kind::kBlank;
        std::string name;       // section or key name, trimmed
        bool hasValue = false;  // a key line with '='
        size_t valueBegin = 0;  // the trimmed value within text
        size_t valueEnd = 0;
        size_t nameEnd = 0;  // end of the trimmed key name within text
    };
    struct Span {
        size_t begin;  // first line (the header of a named section)
        size_t end;    // one past the last line
        bool named;
    };

    // Takes the line that starts at *pos and moves *pos past its ending.
    static void NextLine(const std::string& bytes, size_t* pos, Line* line);
    // Reads a line's kind, name and value. The first line of a text may
    // start with the UTF-8 mark, which ClassifyFirst passes over; anywhere
    // else the mark is text.
    static void Classify(Line* line) { ClassifyFrom(line, 0); }
    static void ClassifyFirst(Line* line);
    static void ClassifyFrom(Line* line, size_t begin);
    // Classifies the document's line at index.
    void ClassifyLine(size_t index);
    std::vector<Span> Sections() const;
    const Span* FindSection(const std::vector<Span>& spans, const std::string& name) const;
    long FindKey(const Span& span, const std::string& key) const;
    std::string LineEnding() const;
    void InsertLines(size_t position, const std::vector<std::string>& texts);
    void EraseLines(size_t begin, size_t end);
    // A line that ends in a lone CR before a blank line that is only an LF
    // would read as ending in CR LF, and the blank line would be gone: such
    // a line (one just added, or the one before removed lines) ends in CR LF.
    void KeepNextLineApart(size_t index);

    std::vector<Line> m_lines;
};

// The answers of FindValue for a whole text at once: every key of the
// first section of each name, by section and key name in lower case, so
// that a lookup does not walk the text. Same rules, same answers.
class IniIndex {
  public:
    IniIndex() = default;
    explicit IniIndex(const std::string& bytes);

    bool Find(const std::string& section, const std::string& key, std::string* value) const;
    // Whether SetValue with these arguments would leave the text as it is.
    bool Holds(const std::string& section, const std::string& key, const std::string& value) const;
    // Brings the answer for one key up to date after SetValue(section, key,
    // ...) on the document this index was made from. False when the edit
    // may have changed other answers too (a key name that reads otherwise
    // once written); the index must then be made anew from the text.
    bool Update(const IniDocument& document, const std::string& section, const std::string& key);

  private:
    struct Key {
        bool hasValue = false;
        std::string value;
    };
    using Keys = std::unordered_map<std::string, Key>;
    std::unordered_map<std::string, Keys> m_sections;
};

}  // namespace vx
