// One run of the page over a registry file and a Windows folder: the host
// platform with the registry loaded into memory, the headless windows and
// sheet, the module attached as the shell would load it, and logs of what
// the page does to the registry and the INI files. Nothing reaches a file
// until SaveRegistry is called; INI files change only when Apply runs.
#pragma once

#include <memory>
#include <string>

#include "DisplayLibrary.h"
#include "Options.h"
#include "RecordingProfile.h"
#include "RecordingRegistry.h"
#include "Snapshot.h"
#include "StoredData.h"
#include "page/ZrDriveDlg.h"
#include "platform/host/HostPlatform.h"
#include "platform/host/HostUi.h"
#include "platform/regfile/InfFile.h"
#include "server/ModuleGlobals.h"

namespace vexaro {

class Session {
  public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Loads the registry file (or the INF file's section), checks the Windows folder and sets the
    // platform up; false with a one-line reason.
    bool Open(const Options& options, std::string* error);

    // Resolves the driver's key, keeps the stored data as it is before the
    // page runs, then shows the page (loading, eviction, layout, pruning).
    void ShowPage();

    // The page as it stands now.
    PageSnapshot Snapshot() const;
    const StoredLayout& StoredBefore() const { return m_before; }

    vx::CZrDriveDlg& Page() const { return *vx::AdvancedPage; }
    vx::HostPropertySheets& Sheets() { return m_ui.sheets; }
    vx::HostWindowing& Windows() { return m_ui.windows; }
    const vx::HostShellServices& Shell() const { return m_ui.shell; }
    const RecordingProfile& IniLog() const { return *m_profileLog; }
    RecordingProfile& IniLog() { return *m_profileLog; }
    const RecordingRegistry& RegistryLog() const { return *m_registryLog; }

    // Whether the page changed the registry in memory.
    bool RegistryChanged() const;
    // Writes the registry back to the file it came from, atomically; never
    // called for an INF.
    bool SaveRegistry(std::string* error);
    // The AddReg lines the registry was made from on INF input; else empty.
    const std::vector<vx::regfile::AddRegEntry>& InfEntries() const { return m_infEntries; }

  private:
    void RecordDeletion(const LayoutDeletion& deletion);
    std::string GroupBefore(const std::string& name) const;

    Options m_options;
    std::unique_ptr<vx::HostPlatform> m_host;
    std::unique_ptr<vx::IProfile> m_ownProfile;
    vx::HostUi m_ui;
    std::unique_ptr<RecordingRegistry> m_registryLog;
    std::unique_ptr<RecordingProfile> m_profileLog;
    bool m_attached = false;
    vx::PageHandle m_pageHandle = nullptr;
    StoredLayout m_before;
    std::vector<Removal> m_removals;
    std::vector<vx::regfile::AddRegEntry> m_infEntries;
};

}  // namespace vexaro
