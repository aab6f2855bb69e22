#include "SettingsData.h"

#include <algorithm>

namespace vxbench {

namespace {

constexpr int kFiles = 4;
constexpr int kBitsPerInteger = 7;  // bits 0 to 6: masks stay positive bytes
constexpr int kMaxPerGroup = 64;    // entries of one group, its Group value included
constexpr char kGroupOrder = '~';   // above every member's order character

// Characters for the group and order positions of a name: printable, no
// backslash (the name also names a registry key) and no capital letters
// (key names compare without regard to case). Their order numbers run from
// -15 ('!') to 77 ('}'); for more than 66 groups the code page's symbols
// 0xA1 to 0xBF follow (negative group numbers, sorted before the others).
std::string NameCharacters() {
    std::string chars;
    for (char c = '!'; c < kGroupOrder; ++c) {
        if (c == '\\' || (c >= 'A' && c <= 'Z')) continue;
        chars += c;
    }
    for (int c = 0xA1; c <= 0xBF; ++c) chars += static_cast<char>(c);
    return chars;
}

std::vector<uint8_t> Text(const std::string& text) {
    std::vector<uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

RegistryValueData Sz(const std::string& name, const std::string& text) {
    return {name, 1, Text(text)};
}

RegistryValueData Byte(const std::string& name, uint8_t byte) {
    return {name, 3, {byte}};
}

}  // namespace

SettingsData MakeSettings(int entries, const std::string& iniFolder) {
    const std::string chars = NameCharacters();
    SettingsData s;
    s.entries = entries;
    s.groups = std::max(2, (entries + kMaxPerGroup - 1) / kMaxPerGroup);

    RegistryKeyData layout;
    layout.path = std::string(kDriverKey) + "\\Vexaro\\Layout";
    std::vector<RegistryKeyData> associations;
    // INI text per file, built section by section.
    std::map<std::string, std::string> ini;

    for (int g = 0; g < s.groups; ++g) {
        const int inGroup = entries / s.groups + (g < entries % s.groups ? 1 : 0);
        const std::string groupChar(1, chars[g]);
        layout.values.push_back(
            Sz("Group" + groupChar + "_" + kGroupOrder, "Settings group " + std::to_string(g + 1)));
        const std::string file = "vx" + std::to_string(g % kFiles) + ".ini";
        const std::string section = "Group" + std::to_string(g);
        std::vector<int32_t> integers((inGroup + kBitsPerInteger - 1) / kBitsPerInteger, 0);

        for (int m = 0; m + 1 < inGroup; ++m) {
            const std::string name = "Check" + groupChar + "_" + chars[m];
            layout.values.push_back(
                Sz(name, "Option " + std::to_string(g + 1) + "." + std::to_string(m + 1)));
            const int bit = m % kBitsPerInteger;
            const int integer = m / kBitsPerInteger;
            const uint8_t orMask = static_cast<uint8_t>(1u << bit);
            RegistryKeyData association;
            association.path = std::string(kDriverKey) + "\\Vexaro\\Association\\" + name;
            association.values = {
                Sz("INIFile", iniFolder + file),
                Sz("Section", section),
                Sz("KeyString", "Option" + std::to_string(integer)),
                Byte("AndMask", static_cast<uint8_t>(~orMask)),
                Byte("OrMask", orMask),
                Sz("Action", "Dynamic"),
            };
            if (m % 3 == 0) association.values.push_back(Sz("Default", "On"));
            associations.push_back(std::move(association));
            if ((m * 7 + g) % 3 == 0) integers[integer] |= orMask;
            ++s.members;
        }

        std::string& text = ini[file];
        text += "[" + section + "]\r\n";
        for (size_t k = 0; k < integers.size(); ++k) {
            text += "Option" + std::to_string(k) + "=" + std::to_string(integers[k]) + "\r\n";
        }
    }

    s.keys.push_back(std::move(layout));
    for (RegistryKeyData& a : associations) s.keys.push_back(std::move(a));
    s.iniFiles = std::move(ini);
    return s;
}

}  // namespace vxbench
