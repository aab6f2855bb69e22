// A plain reference reading of INI text, written apart from the host
// profile code: lines end at CR, LF or CR LF; blanks are space, tab, the
// controls 0x09 to 0x0D and ^Z; a line "[name]" opens a section (up to its
// last ']'); any other line is a key, with a value when it has an '='.
// Names compare without regard to ASCII letter case; the first section of
// a name, and in it the first key, is the one that counts. Lines before the
// first section belong to the unnamed section, which always exists.
#pragma once

#include <string>
#include <vector>

#include "IniLines.h"

namespace vxfuzz {

struct IniModelKey {
    std::string name;
    bool hasValue = false;
    std::string value;  // trimmed
};

struct IniModelSection {
    std::string name;
    std::vector<IniModelKey> keys;
};

class IniModel {
  public:
    explicit IniModel(const std::string& text);

    // The trimmed value of a key; false when the section, the key or its
    // value is missing.
    bool Find(const std::string& section, const std::string& key, std::string* value) const;

    // The edits of the profile functions, on the model. Each returns
    // whether the model changed.
    bool Set(const std::string& section, const std::string& key, const std::string& value);
    bool DeleteKey(const std::string& section, const std::string& key);
    bool DeleteSection(const std::string& section);

    const std::vector<IniModelSection>& Sections() const { return m_sections; }
    // Whether the unnamed section has any line at all, blank lines included.
    bool HasUnnamedLines() const { return m_unnamedLines; }

    // The first difference from another model; empty when they agree.
    std::string Difference(const IniModel& other) const;

  private:
    IniModelSection* FindSection(const std::string& name);

    std::vector<IniModelSection> m_sections;
    bool m_unnamedLines = false;
};

}  // namespace vxfuzz
