#include "Session.h"

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <set>

#include "ErrorReport.h"
#include "Files.h"
#include "InfCommand.h"
#include "IniFiles.h"
#include "NameTable.h"
#include "layout/PendingAction.h"
#include "page/ControlPlacement.h"
#include "platform/NoCase.h"
#include "platform/Platform.h"
#include "platform/WinConstants.h"
#include "platform/framework/WinApp.h"
#include "platform/host/AtomicFile.h"
#include "platform/host/HostProfile.h"
#include "platform/regfile/RegFileEdit.h"
#include "resources/resource.h"
#include "server/AdvancedPageApp.h"
#include "server/ModuleGlobals.h"
#include "store/DriverKey.h"
#include "store/LayoutStore.h"

namespace vexaro {

namespace {

// The instance handle the module is attached with; any non-null value.
vx::InstanceHandle const kModuleInstance = reinterpret_cast<vx::InstanceHandle>(0x10000000);

// Empty when the folder is there; otherwise the message.
std::string FolderProblem(const std::string& what, const std::string& path) {
    struct stat info;
    const bool found = stat(path.c_str(), &info) == 0;
    if (found && S_ISDIR(info.st_mode)) return {};
    return "cannot open " + what + " " + path + ": " + SystemError(found ? ENOTDIR : errno);
}

// What the page took out of the registry: the keys that are gone (only the
// uppermost of a gone tree) and the values gone from keys that stay.
vx::regfile::Removals Difference(const vx::regfile::Document& before,
                                 const vx::regfile::Document& after) {
    std::map<std::string, const vx::regfile::Key*> now;
    for (const vx::regfile::Key& key : after.keys) now[vx::LowerCase(key.path)] = &key;
    vx::regfile::Removals removals;
    for (const vx::regfile::Key& key : before.keys) {
        const std::string path = vx::LowerCase(key.path);
        auto it = now.find(path);
        if (it == now.end()) {
            bool under = false;
            for (const std::string& gone : removals.keys) {
                const std::string g = vx::LowerCase(gone);
                under = under || (path.compare(0, g.size() + 1, g + "\\") == 0);
            }
            if (!under) removals.keys.push_back(key.path);
            continue;
        }
        std::set<std::string> names;
        for (const vx::regfile::Value& v : it->second->values) names.insert(vx::LowerCase(v.name));
        for (const vx::regfile::Value& v : key.values) {
            if (!names.count(vx::LowerCase(v.name))) removals.values.push_back({key.path, v.name});
        }
    }
    return removals;
}

std::string KindOfStyle(uint32_t style) {
    static const Named<uint32_t> kKinds[] = {{vx::kBsGroupBox, "Group"},
                                             {vx::kBsAutoCheckBox, "Check"},
                                             {vx::kBsAutoRadioButton, "Radio"}};
    return NameOf(style & 0xF, kKinds, "Button");
}

std::string TemplateKind(int id) {
    static const Named<int> kKinds[] = {
        {IDC_WARNING, "Text"}, {IDC_RESET, "PushButton"}, {IDC_PAGE_ICON, "Icon"}};
    return NameOf(id, kKinds, "");
}

// Locks the file, waiting for other runs unless the command line said not to.
vx::FileLocks::Result LockFile(vx::FileLocks& locks, const std::string& path, bool noWait,
                               std::string* reason) {
    return noWait ? locks.TryLock(path, reason) : locks.Lock(path, reason);
}

}  // namespace

Session::Session() = default;

Session::~Session() {
    // The page and its buttons go while the platform they use is still there.
    m_ui.sheets.ClosePage();
    if (m_attached) vx::AfxModuleDetach();
    vx::Platform() = vx::PlatformServices{};
}

bool Session::Open(const Options& options, std::string* error) {
    return OpenFor(Access::kRead, options, error);
}

bool Session::OpenForWriting(const Options& options, std::string* error) {
    return OpenFor(Access::kWrite, options, error);
}

bool Session::OpenFor(Access access, const Options& options, std::string* error) {
    const bool forWriting = access == Access::kWrite;
    m_options = options;
    for (const auto& [what, path] :
         {std::pair<const char*, std::string>{"Windows folder", options.windowsDir},
          {"drive folder", options.driveDir}}) {
        if (path.empty()) continue;
        *error = FolderProblem(what, path);
        if (!error->empty()) return false;
    }
    m_folders = vx::ProfileFolders{options.windowsDir, options.driveDir};
    // The driver's data comes from a registry file or an INF file; an INF
    // file is only read, so only a registry file is locked.
    const bool inf = !options.infFile.empty();
    const std::string& source = inf ? options.infFile : options.registryFile;
    if (forWriting && !inf && options.registryFile != kStandardStream) {
        vx::SetActiveFileLocks(&m_locks);
        std::string reason;
        switch (LockFile(m_locks, options.registryFile, options.noWait, &reason)) {
            case vx::FileLocks::Result::kLocked:
                vx::RemoveLeftovers(options.registryFile);
                break;
            case vx::FileLocks::Result::kBusy:
                *error =
                    options.registryFile + " is in use by another apply (--no-wait: nothing done)";
                return false;
            case vx::FileLocks::Result::kFailed:
                *error = reason;
                return false;
        }
    }
    if (!ReadInput(source, &m_registryBytes, error, options.maxInput,
                   inf ? InputForm::kAny : InputForm::kRegistry, &m_input)) {
        return false;
    }
    m_host = std::make_unique<vx::HostPlatform>(m_folders);
    vx::regfile::ParseError parseError;
    std::vector<vx::regfile::ParseError> skipped;
    if (inf ? !LoadInfRegistry(m_host->Registry(), m_registryBytes, options.infSection,
                               &m_infEntries, &parseError, &skipped)
            : !m_host->Registry().ImportText(m_registryBytes, &parseError, &skipped)) {
        *error = InputName(source) +
                 (parseError.line > 0 ? ":" + std::to_string(parseError.line) : std::string()) +
                 ": " + parseError.reason;
        return false;
    }
    for (const vx::regfile::ParseError& s : skipped) {
        m_inputWarnings.push_back(InputName(source) + ":" + std::to_string(s.line) + ": " +
                                  s.reason);
    }
    if (forWriting) {
        m_registryAsRead = m_host->Registry().Export();
    } else {
        // Only a write-back needs the file's own text.
        std::string().swap(m_registryBytes);
    }
    m_host->System().SetFailSafe(options.failSafe);
    RegisterDisplayLibrary(m_host->Libraries(), m_host->Registry(), DisplayMode{});
    m_host->Install();

    vx::PlatformServices& services = vx::Platform();
    if (services.profile == nullptr) {
        m_ownProfile = std::make_unique<vx::HostProfile>(m_folders);
        services.profile = m_ownProfile.get();
    }
    m_registryLog = std::make_unique<RecordingRegistry>(*services.registry);
    m_profileLog = std::make_unique<RecordingProfile>(*services.profile);
    m_ui.Install();

    // Loaded as the shell loads the module: the start-up step of its
    // application object creates the page.
    if (vx::AfxGetModuleState()->m_pCurrentWinApp != &vx::theApp) {
        *error = "the module's application object is not set up";
        return false;
    }
    m_attached = true;
    if (!vx::AfxModuleAttach(kModuleInstance) || vx::AdvancedPage == nullptr) {
        *error = "the page object could not be created";
        return false;
    }
    return true;
}

void Session::ReadStoredData() {
    if (m_storedRead) return;
    m_storedRead = true;
    // The driver's key as the page will find it; the data is read before the
    // page can change it.
    { vx::CLayoutStore resolve; }
    m_before = ReadStoredLayout(m_host->RegistryApi(), vx::DriverKeyPath.c_str());
}

bool Session::LockIniFiles(std::string* error) {
    ReadStoredData();
    std::set<std::string> paths;
    for (const IniFileUse& use : IniFileUses(m_before, m_folders, Input())) {
        if (use.verdict == vx::ProfilePathVerdict::kResolved) paths.insert(use.hostPath);
    }
    for (const std::string& path : paths) {
        std::string reason;
        switch (LockFile(m_locks, path, m_options.noWait, &reason)) {
            case vx::FileLocks::Result::kLocked:
                // What a run killed while it wrote the file left beside it.
                vx::RemoveLeftovers(path);
                break;
            case vx::FileLocks::Result::kBusy:
                *error = path + " is in use by another apply (--no-wait: nothing done)";
                return false;
            case vx::FileLocks::Result::kFailed:
                *error = reason;
                return false;
        }
    }
    return true;
}

InputFile Session::Input() const {
    const bool inf = !m_options.infFile.empty();
    return InputFile{inf ? m_options.infFile : m_options.registryFile,
                     inf ? "INF file" : "registry file", m_input};
}

void Session::ShowPage() {
    ReadStoredData();
    vx::Platform().registry = m_registryLog.get();
    vx::Platform().profile = m_profileLog.get();
    m_registryLog->OnLayoutDeletion([this](const LayoutDeletion& d) { RecordDeletion(d); });
    m_pageHandle = m_ui.sheets.CreatePage(Page());
    m_ui.sheets.ShowPage(m_pageHandle);
    m_registryLog->OnLayoutDeletion(nullptr);
}

void Session::RecordDeletion(const LayoutDeletion& deletion) {
    Removal r;
    r.name = deletion.name;
    if (deletion.duringLoading) {
        r.reason = "evicted";
        r.by = deletion.lastEnumerated;
    } else {
        r.reason = "pruned";
        r.by = GroupBefore(deletion.name);
    }
    m_removals.push_back(r);
}

// The Group entry before the named entry in the list: the group that is
// placing members when the layout pass meets it.
std::string Session::GroupBefore(const std::string& name) const {
    std::string group;
    vx::CPtrList::POSITION pos = Page().m_entries.GetHeadPosition();
    while (pos != nullptr) {
        vx::CSettingButton* e = Page().m_entries.GetNext(pos);
        if (e == nullptr) continue;
        if (name == e->m_strName.c_str()) return group;
        if (e->IsGroup()) group = e->m_strName.c_str();
    }
    return group;
}

PageSnapshot Session::Snapshot() const {
    PageSnapshot s;
    vx::WindowHandle pageWindow = m_ui.sheets.PageWindow();
    const vx::HostWindow* page = m_ui.windows.Find(pageWindow);
    s.caption = VX_PAGE_CAPTION;
    if (page != nullptr) {
        s.width = page->rect.right - page->rect.left;
        s.height = page->rect.bottom - page->rect.top;
    }
    s.driverKeyPath = vx::DriverKeyPath.c_str();
    s.metrics.groupBoxWidth = vx::GroupBoxWidth;
    s.metrics.columnWidth = vx::ColumnWidth;
    s.metrics.secondColumnX = vx::SecondColumnX;
    s.metrics.availableHeight = vx::AvailableHeight;
    s.metrics.oneColumn = Page().FitsOneColumn() != 0;

    // Entries, and which window belongs to which entry.
    std::map<vx::WindowHandle, const EntryView*> byWindow;
    s.entries.reserve(Page().m_entries.GetCount());
    std::vector<vx::WindowHandle> entryWindows;
    int position = 0;
    vx::CPtrList::POSITION pos = Page().m_entries.GetHeadPosition();
    while (pos != nullptr) {
        vx::CSettingButton* e = Page().m_entries.GetNext(pos);
        EntryView v;
        v.position = position++;
        if (e != nullptr) {
            v.name = e->m_strName.c_str();
            v.kind = e->m_strKind.c_str();
            v.group = e->m_nGroup;
            v.order = e->m_nOrder;
            v.caption = e->m_strCaption.c_str();
            v.state = e->m_nState;
            const vx::HostWindow* w = m_ui.windows.Find(e->GetSafeHwnd());
            if (w != nullptr && !w->destroyed) v.controlId = w->id;
        }
        s.entries.push_back(v);
        entryWindows.push_back(e != nullptr ? e->GetSafeHwnd() : nullptr);
    }
    for (size_t i = 0; i < s.entries.size(); ++i) {
        if (entryWindows[i] != nullptr) byWindow[entryWindows[i]] = &s.entries[i];
    }

    for (const vx::HostWindow* w : m_ui.windows.Children(pageWindow)) {
        ControlView c;
        c.id = w->id;
        c.caption = w->caption;
        c.rect = w->rect;
        c.style = w->createStyle;
        c.currentStyle = w->style;
        c.checked = w->check != 0;
        std::string templateKind = TemplateKind(w->id);
        auto owner = byWindow.find(w->handle);
        if (owner != byWindow.end()) {
            c.kind = KindOfStyle(w->createStyle);
            c.entry = owner->second->name;
            c.position = owner->second->position;
            s.controls.push_back(c);
        } else if (!templateKind.empty()) {
            c.kind = templateKind;
            s.templateControls.push_back(c);
        } else {
            c.kind = KindOfStyle(w->createStyle);
            s.controls.push_back(c);
        }
    }

    // What the log says was deleted, held against the registry: only values
    // that were stored before and are gone now count.
    std::set<std::string> deletedKeys(m_registryLog->AssociationDeletions().begin(),
                                      m_registryLog->AssociationDeletions().end());
    for (Removal r : m_removals) {
        if (m_before.Find(r.name) == nullptr ||
            LayoutValueExists(m_host->RegistryApi(), s.driverKeyPath, r.name)) {
            continue;
        }
        r.associationDeleted = deletedKeys.count(r.name) != 0;
        s.removals.push_back(r);
    }

    std::set<std::string> enumerated(m_registryLog->Enumerated().begin(),
                                     m_registryLog->Enumerated().end());
    for (const StoredEntry& e : m_before.entries) {
        if (enumerated.count(e.name)) continue;
        if (LayoutValueExists(m_host->RegistryApi(), s.driverKeyPath, e.name)) {
            s.notVisited.push_back(e.name);
        }
    }
    s.pendingAction = vx::PendingAction.c_str();
    return s;
}

bool Session::RegistryChanged() const {
    return !m_registryLog->LayoutDeletions().empty() ||
           !m_registryLog->AssociationDeletions().empty() || m_registryLog->ValueWrites() > 0;
}

bool Session::RegistryReadOnly() const {
    struct stat info;
    if (stat(m_options.registryFile.c_str(), &info) != 0) return false;
    return (info.st_mode & 0222) == 0 || access(m_options.registryFile.c_str(), W_OK) != 0;
}

bool Session::EditedRegistry(std::string* bytes, std::string* error) const {
    const vx::regfile::Document now = m_host->Registry().Export();
    vx::regfile::ParseError parseError;
    if (!vx::regfile::RemoveFromFile(m_registryBytes, Difference(m_registryAsRead, now), bytes,
                                     &parseError)) {
        *error = "cannot edit " + m_options.registryFile + ": " + parseError.reason;
        return false;
    }
    // The edited file must read as what the page left, or it is not written.
    vx::HostRegistryTree check;
    if (!check.ImportText(*bytes, &parseError) ||
        vx::regfile::Write(check.Export()) != vx::regfile::Write(now)) {
        *error = "cannot write back " + m_options.registryFile +
                 " by taking out what the page deleted alone";
        return false;
    }
    return true;
}

bool Session::SaveRegistry(const std::string& bytes, std::string* error) {
    std::string reason;
    if (vx::ReplaceFileAtomically(m_options.registryFile, bytes, &reason)) return true;
    *error = reason;
    return false;
}

}  // namespace vexaro
