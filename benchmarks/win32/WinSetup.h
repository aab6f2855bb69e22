// What the Windows benchmark program sets up before it measures: the
// generated settings in the registry of the Wine prefix and in INI files
// of a fresh temporary folder, and the Ctrl key held down.
#pragma once

#include <string>

#include "SettingsData.h"

namespace vxbench {

class WinSettings {
  public:
    explicit WinSettings(int entries);
    ~WinSettings();
    WinSettings(const WinSettings&) = delete;
    WinSettings& operator=(const WinSettings&) = delete;

    bool Ok() const { return m_ok; }
    const SettingsData& Data() const { return m_data; }
    // The INI folder with a trailing backslash.
    const std::string& Folder() const { return m_folder; }
    bool ResetIniFiles() const;

  private:
    std::string m_folder;
    SettingsData m_data;
    bool m_ok = false;
};

// Sets the thread's keyboard state so that GetKeyState reports Ctrl down;
// false when the state did not take.
bool HoldControlKey();

}  // namespace vxbench
