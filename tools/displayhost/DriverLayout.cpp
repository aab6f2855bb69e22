#include "DriverLayout.h"

#include <windows.h>

namespace displayhost {

namespace {

constexpr char kDisplayClassKey[] = "System\\CurrentControlSet\\Services\\Class\\Display";

class Key {
  public:
    explicit Key(const std::string& path) {
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~Key() {
        if (m_key) RegCloseKey(m_key);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    explicit operator bool() const { return m_key != nullptr; }
    HKEY get() const { return m_key; }

  private:
    HKEY m_key = nullptr;
};

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
    return static_cast<bool>(Key(driverKey + "\\Vexaro\\Layout"));
}

}  // namespace

std::string FindDriverKey() {
    {
        Key software("SOFTWARE\\Corvane\\Lumetra");
        std::string subkey;
        if (software && ReadText(software.get(), "CurrentDisplayKey", &subkey) && !subkey.empty()) {
            std::string path = std::string(kDisplayClassKey) + "\\" + subkey;
            if (HasLayout(path)) return path;
        }
    }
    Key display(kDisplayClassKey);
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
    Key layout(driverKey + "\\Vexaro\\Layout");
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
    Key association(driverKey + "\\Vexaro\\Association\\" + name);
    std::string text;
    if (association) ReadText(association.get(), valueName.c_str(), &text);
    return text;
}

}  // namespace displayhost
