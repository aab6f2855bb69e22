#include "ToolData.h"

#include <fstream>

#include "SettingsData.h"
#include "platform/host/HostRegistryTree.h"

namespace vxbench {

bool WriteToolData(int entries, const std::string& folder) {
    const SettingsData data = MakeSettings(entries, "");
    vx::HostRegistryTree registry;
    const std::string maker = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Lumetra";
    const std::string key(kDriverKey);
    const std::string subkey = key.substr(key.rfind('\\') + 1);
    std::vector<uint8_t> text(subkey.begin(), subkey.end());
    text.push_back(0);
    registry.CreateKey(maker);
    registry.SetValue(maker, "CurrentDisplayKey", 1, text);
    for (const RegistryKeyData& k : data.keys) {
        const std::string path = "HKEY_LOCAL_MACHINE\\" + k.path;
        registry.CreateKey(path);
        for (const RegistryValueData& v : k.values) registry.SetValue(path, v.name, v.type, v.data);
    }
    std::string error;
    if (!registry.SaveFile(folder + "/driver.reg", &error)) return false;
    for (const auto& [name, contents] : data.iniFiles) {
        std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
        out << contents;
        if (!out) return false;
    }
    std::ofstream names(folder + "/names.txt", std::ios::binary | std::ios::trunc);
    for (const RegistryValueData& v : data.keys.front().values) {
        if (v.name.compare(0, 5, "Check") == 0) names << v.name << "\n";
    }
    return static_cast<bool>(names);
}

}  // namespace vxbench
