#include "SettingsFolder.h"

#include <fstream>

namespace vxbench {

bool SettingsFolder::WriteIniFiles() const {
    for (const auto& [name, text] : m_data.iniFiles) {
        std::ofstream out(m_folder + name, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out) return false;
    }
    return true;
}

}  // namespace vxbench
