// Generated settings whose INI files lie in a temporary folder of their own.
// Each backend's set-up makes the folder and puts the registry data where
// the page reads it.
#pragma once

#include <string>

#include "SettingsData.h"

namespace vxbench {

class SettingsFolder {
  public:
    SettingsFolder(const SettingsFolder&) = delete;
    SettingsFolder& operator=(const SettingsFolder&) = delete;

    // False when the folder, the registry data or an INI file could not be
    // made.
    bool Ok() const { return m_ok; }
    const SettingsData& Data() const { return m_data; }
    // The INI folder, with its trailing separator.
    const std::string& Folder() const { return m_folder; }

  protected:
    SettingsFolder() = default;
    ~SettingsFolder() = default;
    // Writes the INI files into the folder as they were generated.
    bool WriteIniFiles() const;

    std::string m_folder;
    SettingsData m_data;
    bool m_ok = false;
};

}  // namespace vxbench
