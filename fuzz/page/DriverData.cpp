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

char NameCharacter(FuzzedDataProvider& in) {
    static const char kSpecial[] = {' ', '\\', '/', 'A', '_', '-', '\x80', '\xFF', '\xE9', '\x7F'};
    switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
        case 1:
            return static_cast<char>('0' + in.ConsumeIntegralInRange(0, 9));
        case 2:
            return kSpecial[in.ConsumeIntegralInRange<size_t>(0, sizeof kSpecial - 1)];
        default:
            return static_cast<char>(in.ConsumeIntegralInRange(1, 255));
    }
}

std::string LayoutName(FuzzedDataProvider& in) {
    static const char* const kKinds[] = {"Group", "Check", "Radio", "Group", "Check",
                                         "Radio", "group", "CHECK", "Radi",  "Groupe"};
    switch (in.ConsumeIntegralInRange(0, 7)) {
        case 0:
            return WithoutZero(in.ConsumeRandomLengthString(12));
        case 1:
            return {};
        case 2: {
            // Near the room of 256 characters that names have.
            std::string name = Pick(in, kKinds) + "1_1";
            name.resize(in.ConsumeIntegralInRange<size_t>(250, 260), NameCharacter(in));
            return name;
        }
        default: {
            std::string name = Pick(in, kKinds);
            name += NameCharacter(in);
            name += in.ConsumeBool() ? '_' : NameCharacter(in);
            name += NameCharacter(in);
            if (in.ConsumeIntegralInRange(0, 3) == 0) {
                name += WithoutZero(in.ConsumeRandomLengthString(6));
            }
            if (in.ConsumeIntegralInRange(0, 7) == 0) {
                name.resize(in.ConsumeIntegralInRange<size_t>(0, name.size()));
            }
            return name;
        }
    }
}

// Data of any registry type: mostly text with its terminating zero, also
// bytes without one, numbers, and lengths up to and past 256 bytes.
struct Data {
    uint32_t type;
    std::vector<uint8_t> bytes;
};

Data TextData(const std::string& text) {
    Data data{kSz, std::vector<uint8_t>(text.begin(), text.end())};
    data.bytes.push_back(0);
    return data;
}

Data AnyData(FuzzedDataProvider& in, const std::string& usual) {
    switch (in.ConsumeIntegralInRange(0, 9)) {
        case 0: {
            Data data{in.ConsumeBool() ? kBinary : kExpandSz, {}};
            const size_t size = in.ConsumeIntegralInRange<size_t>(0, 8);
            data.bytes = in.ConsumeBytes<uint8_t>(size);
            return data;
        }
        case 1: {
            Data data{kDword, {}};
            const uint32_t n = in.ConsumeIntegral<uint32_t>();
            for (int i = 0; i < 4; ++i) data.bytes.push_back(static_cast<uint8_t>(n >> (8 * i)));
            return data;
        }
        case 2: {
            // Around the 256 bytes of room.
            Data data{in.ConsumeBool() ? kSz : kMultiSz, {}};
            data.bytes.assign(in.ConsumeIntegralInRange<size_t>(254, 300),
                              in.ConsumeIntegralInRange<uint8_t>(1, 255));
            if (in.ConsumeBool()) data.bytes.back() = 0;
            return data;
        }
        case 3: {
            Data data{in.ConsumeIntegral<uint32_t>(), {}};
            data.bytes = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(0, 24));
            return data;
        }
        case 4:
            return TextData(in.ConsumeRandomLengthString(24));
        default:
            return TextData(usual);
    }
}

void Set(vx::HostRegistry& registry, const std::string& key, const std::string& name,
         const Data& data) {
    registry.SetValue(key, name, data.type, data.bytes);
}

void MakeAssociation(FuzzedDataProvider& in, vx::HostRegistry& registry, const std::string& name,
                     int index) {
    static const char* const kFiles[] = {"a.ini", "A.INI",      "b.ini",     "c.ini", "a.ini",
                                         "b.ini", "sub\\d.ini", "C:\\e.ini", " a.ini"};
    static const char* const kSections[] = {"Display", "display", "Other", "", " Display "};
    static const char* const kDefaults[] = {"On", "on", "Off", "", "On "};
    static const char* const kActions[] = {"Reboot", "Mode", "Dynamic", "reboot", ""};
    static const char kMasks[] = {'\x01', '\x02', '\x04', '\x80', '\xFE', '\xFB', '\x7B', '4'};
    const std::string key = AssociationPath(name);
    registry.CreateKey(key);
    const std::string usualKey = "K" + std::to_string(index % 8);
    const std::string usualMask(1, kMasks[in.ConsumeIntegralInRange<size_t>(0, sizeof kMasks - 1)]);
    const std::pair<const char*, std::string> values[] = {
        {"INIFile", Pick(in, kFiles)},  {"Section", Pick(in, kSections)},
        {"KeyString", usualKey},        {"AndMask", usualMask},
        {"OrMask", usualMask},          {"Default", Pick(in, kDefaults)},
        {"Action", Pick(in, kActions)},
    };
    for (const auto& [valueName, usual] : values) {
        if (in.ConsumeIntegralInRange(0, 7) == 0) continue;  // missing
        Data data = AnyData(in, usual);
        if ((valueName == std::string("AndMask") || valueName == std::string("OrMask")) &&
            data.type == kSz && in.ConsumeBool()) {
            data = Data{kBinary, {static_cast<uint8_t>(usual[0])}};
        }
        Set(registry, key, valueName, data);
    }
}

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

std::vector<IniFile> MakeDriverData(FuzzedDataProvider& in, vx::HostRegistry& registry) {
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

    const int count = in.ConsumeIntegralInRange(0, 24);
    for (int i = 0; i < count && in.remaining_bytes() > 0; ++i) {
        const std::string name = LayoutName(in);
        Set(registry, LayoutPath(), name, AnyData(in, "Caption " + std::to_string(i)));
        switch (in.ConsumeIntegralInRange(0, 7)) {
            case 0:
                break;  // no Association key
            case 1:
                MakeAssociation(in, registry, LayoutName(in), i);
                break;
            default:
                MakeAssociation(in, registry, name, i);
                break;
        }
    }
    std::vector<IniFile> files;
    files.push_back({"a.ini", in.ConsumeRandomLengthString(300)});
    files.push_back({"b.ini", in.ConsumeRandomLengthString(300)});
    return files;
}

}  // namespace vxfuzz
