// One run of the page over a registry file and a Windows folder: the host
// platform with the registry loaded into memory, the headless windows and
// sheet, the module attached as the shell would load it, and logs of what
// the page does to the registry and the INI files. Nothing reaches a file
// until SaveRegistry is called; INI files change only when Apply runs.
#pragma once

#include <memory>
#include <string>

#include "DisplayLibrary.h"
#include "Files.h"
#include "IniFiles.h"
#include "Options.h"
#include "RecordingProfile.h"
#include "RecordingRegistry.h"
#include "Snapshot.h"
#include "StoredData.h"
#include "page/ZrDriveDlg.h"
#include "platform/UniqueHandle.h"
#include "platform/host/FileLock.h"
#include "platform/host/HostPlatform.h"
#include "platform/host/HostUi.h"
#include "platform/regfile/InfFile.h"
#include "server/ModuleGlobals.h"

namespace vexaro {

class Session : vx::Pinned {
  public:
    Session();
    ~Session();

    // Loads the registry file (or the INF file's section), checks the
    // Windows folder and sets the platform up; false with a one-line reason.
    bool Open(const Options& options, std::string* error);
    // The same for a run that will write: it locks the registry file first
    // (waiting for another run that holds it, unless options.noWait), keeps
    // every lock until it ends and keeps the file's text for the write-back.
    bool OpenForWriting(const Options& options, std::string* error);

    // Resolves the driver's key and keeps the stored data as it is before
    // the page runs (ShowPage does it when it has not been done).
    void ReadStoredData();
    // Locks every INI file that the stored data names, in the order of
    // their host paths, before the page reads them; false with a one-line
    // reason when one is held elsewhere and waiting was not wanted.
    bool LockIniFiles(std::string* error);

    // Shows the page (loading, eviction, layout, pruning).
    void ShowPage();

    // The page as it stands now.
    PageSnapshot Snapshot() const;
    const StoredLayout& StoredBefore() const { return m_before; }
    const vx::ProfileFolders& Folders() const { return m_folders; }
    // The registry or INF file read, which is never written as an INI file.
    InputFile Input() const;

    vx::CZrDriveDlg& Page() const { return *vx::AdvancedPage; }
    vx::HostPropertySheets& Sheets() { return m_ui.sheets; }
    vx::HostWindowing& Windows() { return m_ui.windows; }
    const vx::HostShellServices& Shell() const { return m_ui.shell; }
    const RecordingProfile& IniLog() const { return *m_profileLog; }
    RecordingProfile& IniLog() { return *m_profileLog; }
    const RecordingRegistry& RegistryLog() const { return *m_registryLog; }

    // Whether the page changed the registry in memory.
    bool RegistryChanged() const;
    // Whether the registry file may not be written (no write permission).
    bool RegistryReadOnly() const;
    // The registry file's bytes with what the page deleted taken out and
    // nothing else changed; false with a one-line reason when that text
    // would not read back as the registry in memory.
    bool EditedRegistry(std::string* bytes, std::string* error) const;
    // Replaces the registry file (through a symbolic link, keeping its mode
    // and owner) with the bytes, atomically; never called for an INF.
    bool SaveRegistry(const std::string& bytes, std::string* error);
    // The lines of the input file that were skipped or read otherwise than
    // written, as Windows reads them: "FILE:LINE: reason", in file order.
    const std::vector<std::string>& InputWarnings() const { return m_inputWarnings; }
    // The AddReg lines the registry was made from on INF input; else empty.
    const std::vector<vx::regfile::AddRegEntry>& InfEntries() const { return m_infEntries; }

  private:
    enum class Access { kRead, kWrite };
    bool OpenFor(Access access, const Options& options, std::string* error);
    void RecordDeletion(const LayoutDeletion& deletion);
    std::string GroupBefore(const std::string& name) const;

    Options m_options;
    vx::ProfileFolders m_folders;
    vx::FileLocks m_locks;
    InputIdentity m_input;
    std::string m_registryBytes;             // the file as read
    vx::regfile::Document m_registryAsRead;  // the registry before the page ran
    bool m_storedRead = false;
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
    std::vector<std::string> m_inputWarnings;
};

}  // namespace vexaro
