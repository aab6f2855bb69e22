#include "DriverData.h"

#include <cstdint>
#include <vector>

namespace vxfuzz {

namespace {

constexpr uint32_t kSz = 1;
constexpr uint32_t kExpandSz = 2;
constexpr uint32_t kBinary = 3;
constexpr uint32_t kDword = 4;
constexpr uint32_t kMultiSz = 7;

template <size_t N>
std::string Pick(FuzzedDataProvider& in, const char* const (&words)[N]) {
    return words[in.ConsumeIntegralInRange<size_t>(0, N - 1)];
}

// A name as the Windows API takes it: no zero byte.
std::string WithoutZero(std::string text) {
    for (char& c : text) {
        if (c == '\0') c = '\x01';
    }
    return text;
}

struct Data {
    uint32_t type;
    std::vector<uint8_t> bytes;
};

Data TextData(const std::string& text) {
    Data data{kSz, std::vector<uint8_t>(text.begin(), text.end())};
    data.bytes.push_back(0);
    return data;
}

// Makes the data from the fuzzer's bytes. Half of the runs are tidy: names
// of the usual form with small group and order digits, and mostly the usual
// Association values, so that many entries get a control and Apply writes;
// the other half take every shape.
class Maker {
  public:
    Maker(FuzzedDataProvider& in, vx::HostRegistryTree& registry)
        : m_in(in), m_registry(registry), m_tidy(in.ConsumeBool()) {}

    void LayoutValue(int index) {
        const std::string name = LayoutName();
        Set(LayoutPath(), name, AnyData("Caption " + std::to_string(index)));
        const int association = m_in.ConsumeIntegralInRange(0, 7);
        if (association == 7) return;  // none
        Association(association == 6 && !m_tidy ? LayoutName() : name, index);
    }

  private:
    char NameCharacter() {
        if (m_tidy) return static_cast<char>('1' + m_in.ConsumeIntegralInRange(0, 3));
        static const char kSpecial[] = {' ', '\\',   '/',    'A',    '_',
                                        '-', '\x80', '\xFF', '\xE9', '\x7F'};
        switch (m_in.ConsumeIntegralInRange(0, 3)) {
            case 0:
            case 1:
                return static_cast<char>('0' + m_in.ConsumeIntegralInRange(0, 9));
            case 2:
                return kSpecial[m_in.ConsumeIntegralInRange<size_t>(0, sizeof kSpecial - 1)];
            default:
                return static_cast<char>(m_in.ConsumeIntegralInRange(1, 255));
        }
    }

    std::string LayoutName() {
        static const char* const kKinds[] = {"Group", "Check", "Radio", "Group", "Check",
                                             "Radio", "group", "CHECK", "Radi",  "Groupe"};
        const int shape = m_tidy ? 7 : m_in.ConsumeIntegralInRange(0, 7);
        switch (shape) {
            case 0:
                return WithoutZero(m_in.ConsumeRandomLengthString(12));
            case 1:
                return {};
            case 2: {
                // Near the room of 256 characters that names have.
                std::string name = Pick(m_in, kKinds) + "1_1";
                name.resize(m_in.ConsumeIntegralInRange<size_t>(250, 260), NameCharacter());
                return name;
            }
            default: {
                std::string name =
                    m_tidy ? kKinds[m_in.ConsumeIntegralInRange(0, 2)] : Pick(m_in, kKinds);
                name += NameCharacter();
                name += m_tidy || m_in.ConsumeBool() ? '_' : NameCharacter();
                name += NameCharacter();
                if (m_tidy) return name;
                if (m_in.ConsumeIntegralInRange(0, 3) == 0) {
                    name += WithoutZero(m_in.ConsumeRandomLengthString(6));
                }
                if (m_in.ConsumeIntegralInRange(0, 7) == 0) {
                    name.resize(m_in.ConsumeIntegralInRange<size_t>(0, name.size()));
                }
                return name;
            }
        }
    }

    // Data of any registry type: mostly text with its terminating zero, also
    // bytes without one, numbers, and lengths up to and past 256 bytes.
    Data AnyData(const std::string& usual) {
        const int shape = m_in.ConsumeIntegralInRange(0, m_tidy ? 39 : 9);
        switch (shape) {
            case 0: {
                Data data{m_in.ConsumeBool() ? kBinary : kExpandSz, {}};
                const size_t size = m_in.ConsumeIntegralInRange<size_t>(0, 8);
                data.bytes = m_in.ConsumeBytes<uint8_t>(size);
                return data;
            }
            case 1: {
                Data data{kDword, {}};
                const uint32_t n = m_in.ConsumeIntegral<uint32_t>();
                for (int i = 0; i < 4; ++i) {
                    data.bytes.push_back(static_cast<uint8_t>(n >> (8 * i)));
                }
                return data;
            }
            case 2: {
                // Around the 256 bytes of room.
                Data data{m_in.ConsumeBool() ? kSz : kMultiSz, {}};
                data.bytes.assign(m_in.ConsumeIntegralInRange<size_t>(254, 300),
                                  m_in.ConsumeIntegralInRange<uint8_t>(1, 255));
                if (m_in.ConsumeBool()) data.bytes.back() = 0;
                return data;
            }
            case 3: {
                Data data{m_in.ConsumeIntegral<uint32_t>(), {}};
                data.bytes = m_in.ConsumeBytes<uint8_t>(m_in.ConsumeIntegralInRange<size_t>(0, 24));
                return data;
            }
            case 4:
                return TextData(m_in.ConsumeRandomLengthString(24));
            default:
                return TextData(usual);
        }
    }

    void Association(const std::string& name, int index) {
        static const char* const kFiles[] = {"a.ini", "A.INI",      "b.ini",     "c.ini", "a.ini",
                                             "b.ini", "sub\\d.ini", "C:\\e.ini", " a.ini"};
        static const char* const kSections[] = {"Display", "display", "Other", "", " Display "};
        static const char* const kDefaults[] = {"On", "on", "Off", "", "On "};
        static const char* const kActions[] = {"Reboot", "Mode", "Dynamic", "reboot", ""};
        static const char kMasks[] = {'\x01', '\x02', '\x04', '\x80', '\xFE', '\xFB', '\x7B', '4'};
        const std::string key = AssociationPath(name);
        m_registry.CreateKey(key);
        const std::string usualKey = "K" + std::to_string(index % 8);
        const std::string usualMask(
            1, kMasks[m_in.ConsumeIntegralInRange<size_t>(0, sizeof kMasks - 1)]);
        const std::pair<const char*, std::string> values[] = {
            {"INIFile", Pick(m_in, kFiles)},
            {"Section", Pick(m_in, kSections)},
            {"KeyString", usualKey},
            {"AndMask", usualMask},
            {"OrMask", usualMask},
            {"Default", Pick(m_in, kDefaults)},
            {"Action", Pick(m_in, kActions)},
        };
        for (const auto& [valueName, usual] : values) {
            if (m_in.ConsumeIntegralInRange(0, m_tidy ? 31 : 7) == 0) continue;  // missing
            Data data = AnyData(usual);
            const bool mask =
                std::string(valueName) == "AndMask" || std::string(valueName) == "OrMask";
            if (mask && data.type == kSz && m_in.ConsumeBool()) {
                data = Data{kBinary, {static_cast<uint8_t>(usual[0])}};
            }
            Set(key, valueName, data);
        }
    }

    void Set(const std::string& key, const std::string& name, const Data& data) {
        m_registry.SetValue(key, name, data.type, data.bytes);
    }

    FuzzedDataProvider& m_in;
    vx::HostRegistryTree& m_registry;
    const bool m_tidy;
};

}  // namespace

std::string MachinePath(const std::string& path) {
    return "HKEY_LOCAL_MACHINE\\" + path;
}

std::string LayoutPath() {
    return MachinePath(std::string(kDriverKey) + "\\Vexaro\\Layout");
}

std::string AssociationPath(const std::string& name) {
    return MachinePath(std::string(kDriverKey) + "\\Vexaro\\Association\\" + name);
}

std::vector<IniFile> MakeDriverData(FuzzedDataProvider& in, vx::HostRegistryTree& registry) {
    // Data beside the page's own, which must stay.
    registry.SetValue(MachinePath("SOFTWARE\\Corvane\\Lumetra"), "CurrentDisplayKey", kSz,
                      {'0', '0', '0', '1', 0});
    registry.SetValue(MachinePath(std::string(kDriverKey) + "\\Vexaro"), "Other", kSz, {'x', 0});
    registry.SetValue(MachinePath(std::string(kDriverKey) + "\\Vexaro\\Association"), "Keep", kSz,
                      {'y', 0});
    registry.SetValue(
        MachinePath("System\\CurrentControlSet\\Services\\Class\\Display\\0002\\Vexaro\\Layout"),
        "Check1_1", kSz, {'z', 0});
    registry.CreateKey(AssociationPath("Stray\\Sub"));
    registry.CreateKey(LayoutPath());

    Maker maker(in, registry);
    const int count = in.ConsumeIntegralInRange(0, 24);
    for (int i = 0; i < count && in.remaining_bytes() > 0; ++i) maker.LayoutValue(i);
    std::vector<IniFile> files;
    files.push_back({"a.ini", in.ConsumeRandomLengthString(300)});
    files.push_back({"b.ini", in.ConsumeRandomLengthString(300)});
    return files;
}

}  // namespace vxfuzz
