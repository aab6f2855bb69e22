#include "DriverLayout.h"

#include <windows.h>

#include "platform/win32/WinHandles.h"

namespace displayhost {

namespace {

constexpr char kDisplayClassKey[] = "System\\CurrentControlSet\\Services\\Class\\Display";

vx::UniqueRegKey Key(const std::string& path) {
    return vx::OpenRegKey(HKEY_LOCAL_MACHINE, path.c_str());
}

bool ReadText(HKEY key, const char* name, std::string* text) {
    char data[257] = {};
    DWORD size = 256;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) !=
        ERROR_SUCCESS)
        return false;
    *text = data;
    return true;
}

std::string KindOf(const std::string& name) {
    for (const char* kind : {"Group", "Check", "Radio"})
        if (name.compare(0, 5, kind) == 0) return kind;
    return {};
}

bool HasLayout(const std::string& driverKey) {
    return Key(driverKey + "\\Vexaro\\Layout").valid();
}

}  // namespace

std::string FindDriverKey() {
    {
        const vx::UniqueRegKey software = Key("SOFTWARE\\Corvane\\Lumetra");
        std::string subkey;
        if (software && ReadText(software.get(), "CurrentDisplayKey", &subkey) && !subkey.empty()) {
            std::string path = std::string(kDisplayClassKey) + "\\" + subkey;
            if (HasLayout(path)) return path;
        }
    }
    const vx::UniqueRegKey display = Key(kDisplayClassKey);
    if (!display) return {};
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD size = sizeof name;
        if (RegEnumKeyExA(display.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        std::string path = std::string(kDisplayClassKey) + "\\" + name;
        if (HasLayout(path)) return path;
    }
    return {};
}

std::vector<LayoutSetting> ReadDriverLayout(const std::string& driverKey) {
    std::vector<LayoutSetting> settings;
    const vx::UniqueRegKey layout = Key(driverKey + "\\Vexaro\\Layout");
    if (!layout) return settings;
    for (DWORD index = 0;; ++index) {
        char name[256];
        char data[257] = {};
        DWORD nameSize = sizeof name;
        DWORD dataSize = 256;
        if (RegEnumValueA(layout.get(), index, name, &nameSize, nullptr, nullptr,
                          reinterpret_cast<BYTE*>(data), &dataSize) != ERROR_SUCCESS)
            break;
        LayoutSetting setting;
        setting.name = name;
        setting.caption = data;
        setting.kind = KindOf(setting.name);
        setting.action = ReadAssociationValue(driverKey, setting.name, "Action");
        settings.push_back(setting);
    }
    return settings;
}

std::string ReadAssociationValue(const std::string& driverKey, const std::string& name,
                                 const std::string& valueName) {
    const vx::UniqueRegKey association = Key(driverKey + "\\Vexaro\\Association\\" + name);
    std::string text;
    if (association) ReadText(association.get(), valueName.c_str(), &text);
    return text;
}

}  // namespace displayhost
