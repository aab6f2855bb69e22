// What the Windows benchmark program sets up before it measures: the
// generated settings in the registry of the Wine prefix and in INI files
// of a fresh temporary folder, and the Ctrl key held down.
#pragma once

#include <string>

#include "SettingsFolder.h"

namespace vxbench {

// The INI folder's path ends in a backslash.
class WinSettings : public SettingsFolder {
  public:
    explicit WinSettings(int entries);
    ~WinSettings();

    bool ResetIniFiles() const;
};

// Sets the thread's keyboard state so that GetKeyState reports Ctrl down;
// false when the state did not take.
bool HoldControlKey();

}  // namespace vxbench
