#include "IniModel.h"

#include <algorithm>

namespace vxfuzz {

namespace {

const std::string kMark = "\xEF\xBB\xBF";

std::string TrimLeftIni(const std::string& text) {
    size_t begin = 0;
    while (begin < text.size() && IsIniBlank(text[begin])) ++begin;
    return text.substr(begin);
}

std::string Describe(const IniModelSection& section) {
    return "[" + section.name + "]";
}

}  // namespace

IniModel::IniModel(const std::string& text) {
    m_sections.push_back(IniModelSection{});
    size_t pos = 0;
    bool first = true;
    while (pos < text.size()) {
        size_t stop = pos;
        while (stop < text.size() && text[stop] != '\r' && text[stop] != '\n') ++stop;
        std::string line = text.substr(pos, stop - pos);
        if (stop < text.size()) {
            pos = stop +
                  (text[stop] == '\r' && stop + 1 < text.size() && text[stop + 1] == '\n' ? 2 : 1);
        } else {
            pos = stop;
        }
        if (first && line.compare(0, kMark.size(), kMark) == 0) line.erase(0, kMark.size());
        first = false;
        const std::string trimmed = TrimIni(line);
        const size_t close = trimmed.rfind(']');
        if (!trimmed.empty() && trimmed[0] == '[' && close != std::string::npos && close > 0) {
            m_sections.push_back(IniModelSection{TrimIni(trimmed.substr(1, close - 1)), {}});
            continue;
        }
        if (m_sections.size() == 1) m_unnamedLines = true;
        if (trimmed.empty()) continue;
        IniModelKey key;
        const size_t equals = trimmed.find('=');
        key.name = TrimIni(trimmed.substr(0, equals));
        if (equals != std::string::npos) {
            key.hasValue = true;
            key.value = TrimIni(trimmed.substr(equals + 1));
        }
        m_sections.back().keys.push_back(key);
    }
}

IniModelSection* IniModel::FindSection(const std::string& name) {
    for (IniModelSection& section : m_sections) {
        if (SameIniName(section.name, name)) return &section;
    }
    return nullptr;
}

bool IniModel::Find(const std::string& section, const std::string& key, std::string* value) const {
    const IniModelSection* found = const_cast<IniModel*>(this)->FindSection(TrimIni(section));
    if (found == nullptr) return false;
    const std::string name = TrimIni(key);
    for (const IniModelKey& k : found->keys) {
        if (!SameIniName(k.name, name)) continue;
        if (!k.hasValue) return false;
        *value = k.value;
        return true;
    }
    return false;
}

bool IniModel::Set(const std::string& section, const std::string& key, const std::string& value) {
    const std::string sectionName = TrimIni(section);
    const std::string keyName = TrimIni(key);
    const std::string text = TrimIni(TrimLeftIni(value));
    IniModelSection* found = FindSection(sectionName);
    if (found == nullptr) {
        m_sections.push_back(IniModelSection{sectionName, {{keyName, true, text}}});
        return true;
    }
    for (IniModelKey& k : found->keys) {
        if (!SameIniName(k.name, keyName)) continue;
        if (k.hasValue && k.value == text) return false;
        k.hasValue = true;
        k.value = text;
        return true;
    }
    found->keys.push_back({keyName, true, text});
    if (found == &m_sections.front()) m_unnamedLines = true;
    return true;
}

bool IniModel::DeleteKey(const std::string& section, const std::string& key) {
    const std::string sectionName = TrimIni(section);
    const std::string keyName = TrimIni(key);
    for (IniModelSection& s : m_sections) {
        if (!SameIniName(s.name, sectionName)) continue;
        for (size_t i = 0; i < s.keys.size(); ++i) {
            if (SameIniName(s.keys[i].name, keyName)) {
                s.keys.erase(s.keys.begin() + static_cast<long>(i));
                return true;
            }
        }
    }
    return false;
}

bool IniModel::DeleteSection(const std::string& section) {
    IniModelSection* found = FindSection(TrimIni(section));
    if (found == nullptr) return false;
    if (found == &m_sections.front()) {
        if (!m_unnamedLines) return false;
        found->keys.clear();
        m_unnamedLines = false;
        return true;
    }
    m_sections.erase(m_sections.begin() + (found - &m_sections.front()));
    return true;
}

std::string IniModel::Difference(const IniModel& other) const {
    const size_t count = std::max(m_sections.size(), other.m_sections.size());
    for (size_t s = 0; s < count; ++s) {
        if (s >= m_sections.size()) return "extra section " + Describe(other.m_sections[s]);
        if (s >= other.m_sections.size()) return "missing section " + Describe(m_sections[s]);
        const IniModelSection& a = m_sections[s];
        const IniModelSection& b = other.m_sections[s];
        if (a.name != b.name) return "section " + Describe(a) + " against " + Describe(b);
        for (size_t k = 0; k < a.keys.size() || k < b.keys.size(); ++k) {
            if (k >= a.keys.size()) return "extra key " + b.keys[k].name + " in " + Describe(a);
            if (k >= b.keys.size()) return "missing key " + a.keys[k].name + " in " + Describe(a);
            const IniModelKey& x = a.keys[k];
            const IniModelKey& y = b.keys[k];
            if (x.name != y.name || x.hasValue != y.hasValue || x.value != y.value) {
                return "key " + x.name + "=" + x.value + " against " + y.name + "=" + y.value +
                       " in " + Describe(a);
            }
        }
    }
    return {};
}

}  // namespace vxfuzz
