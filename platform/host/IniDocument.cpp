#include "IniDocument.h"

#include "platform/Trim.h"

namespace vx {

namespace {

const char kUtf8Mark[] = "\xEF\xBB\xBF";
const size_t kUtf8MarkSize = 3;

bool StartsWithMark(const std::string& text) {
    return text.compare(0, kUtf8MarkSize, kUtf8Mark) == 0;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerCaseAscii(std::string text) {
    for (char& c : text) c = LowerAscii(c);
    return text;
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

}  // namespace

bool IsProfileSpace(char c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == ' ';
}

std::string TrimProfileSpace(const std::string& text) {
    return Trim(text, IsProfileSpace);
}

void IniDocument::NextLine(const std::string& bytes, size_t* pos, Line* line) {
    size_t stop = bytes.find_first_of("\r\n", *pos);
    if (stop == std::string::npos) {
        line->text.assign(bytes, *pos, std::string::npos);
        line->end.clear();
        *pos = bytes.size();
    } else {
        line->text.assign(bytes, *pos, stop - *pos);
        size_t endSize = bytes.compare(stop, 2, "\r\n") == 0 ? 2 : 1;
        line->end.assign(bytes, stop, endSize);
        *pos = stop + endSize;
    }
}

IniDocument::IniDocument(const std::string& bytes) {
    size_t pos = 0;
    while (pos < bytes.size()) {
        m_lines.emplace_back();
        NextLine(bytes, &pos, &m_lines.back());
    }
    for (size_t i = 0; i < m_lines.size(); ++i) ClassifyLine(i);
}

void IniDocument::ClassifyFirst(Line* line) {
    ClassifyFrom(line, StartsWithMark(line->text) ? kUtf8MarkSize : 0);
}

void IniDocument::ClassifyLine(size_t index) {
    if (index == 0) {
        ClassifyFirst(&m_lines[0]);
    } else {
        Classify(&m_lines[index]);
    }
}

void IniDocument::ClassifyFrom(Line* line, size_t begin) {
    const std::string& text = line->text;
    size_t end = text.size();
    while (begin < end && IsProfileSpace(text[begin])) ++begin;
    while (end > begin && IsProfileSpace(text[end - 1])) --end;
    line->kind = Kind::kBlank;
    line->name.clear();
    line->hasValue = false;
    if (begin == end) return;

    if (text[begin] == '[') {
        size_t close = text.rfind(']', end - 1);
        if (close != std::string::npos && close > begin) {
            line->kind = Kind::kHeader;
            line->name = TrimProfileSpace(text.substr(begin + 1, close - begin - 1));
            return;
        }
    }

    line->kind = Kind::kKey;
    size_t equals = text.find('=', begin);
    if (equals == std::string::npos || equals >= end) {
        line->nameEnd = end;
        line->name = text.substr(begin, end - begin);
        return;
    }
    size_t nameEnd = equals;
    while (nameEnd > begin && IsProfileSpace(text[nameEnd - 1])) --nameEnd;
    line->nameEnd = nameEnd;
    line->name = text.substr(begin, nameEnd - begin);
    size_t valueBegin = equals + 1;
    while (valueBegin < end && IsProfileSpace(text[valueBegin])) ++valueBegin;
    line->hasValue = true;
    line->valueBegin = valueBegin;
    line->valueEnd = end;
}

std::vector<IniDocument::Span> IniDocument::Sections() const {
    std::vector<Span> spans;
    spans.push_back(Span{0, m_lines.size(), false});
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind != Kind::kHeader) continue;
        spans.back().end = i;
        spans.push_back(Span{i, m_lines.size(), true});
    }
    return spans;
}

const IniDocument::Span* IniDocument::FindSection(const std::vector<Span>& spans,
                                                  const std::string& name) const {
    for (const Span& span : spans) {
        const std::string& spanName = span.named ? m_lines[span.begin].name : std::string();
        if (EqualsNoCase(spanName, name)) return &span;
    }
    return nullptr;
}

long IniDocument::FindKey(const Span& span, const std::string& key) const {
    for (size_t i = span.named ? span.begin + 1 : span.begin; i < span.end; ++i) {
        if (m_lines[i].kind == Kind::kKey && EqualsNoCase(m_lines[i].name, key)) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

bool IniDocument::FindValue(const std::string& section, const std::string& key,
                            std::string* value) const {
    std::vector<Span> spans = Sections();
    const Span* span = FindSection(spans, TrimProfileSpace(section));
    if (span == nullptr) return false;
    long index = FindKey(*span, TrimProfileSpace(key));
    if (index < 0 || !m_lines[index].hasValue) return false;
    const Line& line = m_lines[index];
    *value = line.text.substr(line.valueBegin, line.valueEnd - line.valueBegin);
    return true;
}

bool IniDocument::SetValue(const std::string& section, const std::string& key,
                           const std::string& value) {
    const std::string sectionName = TrimProfileSpace(section);
    const std::string keyName = TrimProfileSpace(key);
    const std::string text = TrimLeft(value, IsProfileSpace);
    std::vector<Span> spans = Sections();
    const Span* span = FindSection(spans, sectionName);
    if (span == nullptr) {
        InsertLines(m_lines.size(), {"[" + sectionName + "]", keyName + "=" + text});
        return true;
    }
    long index = FindKey(*span, keyName);
    if (index >= 0) {
        Line& line = m_lines[index];
        if (line.hasValue) {
            size_t size = line.valueEnd - line.valueBegin;
            if (line.text.compare(line.valueBegin, size, text) == 0) return false;
            line.text.replace(line.valueBegin, size, text);
        } else {
            line.text.insert(line.nameEnd, "=" + text);
        }
        ClassifyLine(static_cast<size_t>(index));
        return true;
    }
    // After the section's last non-blank line, so that blank lines before
    // the next section stay where they are.
    size_t position = span->named ? span->begin + 1 : span->begin;
    for (size_t i = position; i < span->end; ++i) {
        if (m_lines[i].kind != Kind::kBlank) position = i + 1;
    }
    InsertLines(position, {keyName + "=" + text});
    return true;
}

bool IniDocument::DeleteKey(const std::string& section, const std::string& key) {
    const std::string sectionName = TrimProfileSpace(section);
    const std::string keyName = TrimProfileSpace(key);
    for (const Span& span : Sections()) {
        const std::string& spanName = span.named ? m_lines[span.begin].name : std::string();
        if (!EqualsNoCase(spanName, sectionName)) continue;
        long index = FindKey(span, keyName);
        if (index < 0) continue;
        EraseLines(index, index + 1);
        return true;
    }
    return false;
}

bool IniDocument::DeleteSection(const std::string& section) {
    std::vector<Span> spans = Sections();
    const Span* span = FindSection(spans, TrimProfileSpace(section));
    if (span == nullptr || span->begin == span->end) return false;
    EraseLines(span->begin, span->end);
    return true;
}

std::string IniDocument::LineEnding() const {
    for (const Line& line : m_lines) {
        if (!line.end.empty()) return line.end;
    }
    return "\r\n";
}

void IniDocument::InsertLines(size_t position, const std::vector<std::string>& texts) {
    const std::string ending = LineEnding();
    std::vector<Line> added(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        added[i].text = texts[i];
        added[i].end = ending;
    }
    // A text without a final line ending keeps that shape.
    if (position == m_lines.size() && !m_lines.empty() && m_lines.back().end.empty()) {
        m_lines.back().end = ending;
        added.back().end.clear();
    }
    // The encoding mark stays at the very start.
    if (position == 0 && !m_lines.empty() && StartsWithMark(m_lines[0].text)) {
        m_lines[0].text.erase(0, kUtf8MarkSize);
        Classify(&m_lines[0]);
        added[0].text.insert(0, kUtf8Mark);
    }
    m_lines.insert(m_lines.begin() + position, added.begin(), added.end());
    for (size_t i = position; i < position + added.size(); ++i) ClassifyLine(i);
    KeepNextLineApart(position + added.size() - 1);
}

void IniDocument::KeepNextLineApart(size_t index) {
    if (index + 1 >= m_lines.size()) return;
    const Line& next = m_lines[index + 1];
    if (m_lines[index].end == "\r" && next.text.empty() && next.end == "\n") {
        m_lines[index].end = "\r\n";
    }
}

void IniDocument::EraseLines(size_t begin, size_t end) {
    const bool lastWithoutEnding = end == m_lines.size() && m_lines.back().end.empty();
    const bool keepMark = begin == 0 && StartsWithMark(m_lines[0].text);
    m_lines.erase(m_lines.begin() + begin, m_lines.begin() + end);
    if (lastWithoutEnding && begin > 0) m_lines[begin - 1].end.clear();
    if (begin > 0) KeepNextLineApart(begin - 1);
    if (keepMark) {
        if (m_lines.empty()) m_lines.push_back(Line());
        m_lines[0].text.insert(0, kUtf8Mark);
        ClassifyFirst(&m_lines[0]);
    }
}

std::string IniDocument::Text() const {
    std::string text;
    for (const Line& line : m_lines) text += line.text + line.end;
    return text;
}

IniIndex::IniIndex(const std::string& bytes) {
    // The lines before the first header form the unnamed section, the first
    // section of all: a later header of an empty name is a second one.
    Keys* keys = &m_sections[std::string()];
    IniDocument::Line line;
    size_t pos = 0;
    while (pos < bytes.size()) {
        const bool first = pos == 0;
        IniDocument::NextLine(bytes, &pos, &line);
        if (first) {
            IniDocument::ClassifyFirst(&line);
        } else {
            IniDocument::Classify(&line);
        }
        if (line.kind == IniDocument::Kind::kHeader) {
            // Only the first section of a name is searched.
            auto inserted = m_sections.emplace(LowerCaseAscii(line.name), Keys());
            keys = inserted.second ? &inserted.first->second : nullptr;
        } else if (keys != nullptr && line.kind == IniDocument::Kind::kKey) {
            // Only the first key of a name counts, with its '=' or without.
            auto inserted = keys->emplace(LowerCaseAscii(line.name), Key());
            if (!inserted.second || !line.hasValue) continue;
            inserted.first->second.hasValue = true;
            inserted.first->second.value =
                line.text.substr(line.valueBegin, line.valueEnd - line.valueBegin);
        }
    }
}

bool IniIndex::Find(const std::string& section, const std::string& key, std::string* value) const {
    auto keys = m_sections.find(LowerCaseAscii(TrimProfileSpace(section)));
    if (keys == m_sections.end()) return false;
    auto found = keys->second.find(LowerCaseAscii(TrimProfileSpace(key)));
    if (found == keys->second.end() || !found->second.hasValue) return false;
    *value = found->second.value;
    return true;
}

bool IniIndex::Holds(const std::string& section, const std::string& key,
                     const std::string& value) const {
    std::string current;
    return Find(section, key, &current) && current == TrimLeft(value, IsProfileSpace);
}

bool IniIndex::Update(const IniDocument& document, const std::string& section,
                      const std::string& key) {
    // A written key line "name=value" reads back as that name only when the
    // name holds no '=', does not look like a section header and does not
    // begin with the encoding mark.
    const std::string name = TrimProfileSpace(key);
    if (name.find('=') != std::string::npos || (!name.empty() && name[0] == '[') ||
        StartsWithMark(name)) {
        return false;
    }
    Key& entry = m_sections[LowerCaseAscii(TrimProfileSpace(section))][LowerCaseAscii(name)];
    entry.hasValue = document.FindValue(section, key, &entry.value);
    if (!entry.hasValue) entry.value.clear();
    return true;
}

}  // namespace vx
