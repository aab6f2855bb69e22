// The host platform over generated settings: the registry in memory, the
// INI files in a fresh temporary folder, and the page shown in the
// headless property sheet.
#pragma once

#include <memory>
#include <string>

#include "IniSequence.h"
#include "SettingsFolder.h"
#include "page/ZrDriveDlg.h"
#include "platform/UniqueHandle.h"
#include "platform/host/HostPlatform.h"
#include "platform/host/HostUi.h"

namespace vxbench {

// The INI folder's path ends in '/'.
class HostBench : public SettingsFolder {
  public:
    explicit HostBench(int entries);
    ~HostBench();

    vx::HostPlatform& Host() { return *m_host; }
    // Writes the INI files as they were generated.
    bool ResetIniFiles();
    // Replays INI calls against the host's profile functions in this folder
    // and writes them back, as the end of Apply does.
    void Replay(const IniSequence& sequence);

  private:
    std::unique_ptr<vx::HostPlatform> m_host;
};

// The page object and the headless sheet that shows it.
class ShownPage : vx::Pinned {
  public:
    ShownPage();
    ~ShownPage();

    // Dialog initialisation: entries loaded, controls created.
    void Show();
    // The sheet's Apply button.
    void Apply();
    // A click on every check box of the page.
    void ClickCheckBoxes();
    int ControlCount() const;
    // Forgets the messages that the headless windows logged.
    void ForgetMessages() { m_ui.windows.ClearSent(); }

  private:
    vx::HostUi m_ui;
    std::unique_ptr<vx::CZrDriveDlg> m_page;
    vx::PageHandle m_handle = nullptr;
};

}  // namespace vxbench
