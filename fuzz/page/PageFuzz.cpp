// The whole page on the host platform, from arbitrary Layout and
// Association data. After the dialog initialisation the entry list is sorted
// with no two entries equal, the created controls are numbered from 2001
// without a gap, the only registry data gone is the Layout value and the
// Association key of entries that were evicted or pruned, and no INI file
// was touched. Apply, after some clicks, then writes only the INI keys that
// the Association data of the listed entries names, and changes nothing in
// the registry. A second showing of the same page object, when the input
// asks for one, holds to the same.
#include <dirent.h>
#include <fuzzer/FuzzedDataProvider.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "DriverData.h"
#include "EnumerationLog.h"
#include "FuzzCheck.h"
#include "IniLines.h"
#include "RegistrySnapshot.h"
#include "SandboxProfile.h"
#include "WorkFolder.h"
#include "layout/PendingAction.h"
#include "page/ControlPlacement.h"
#include "page/ZrDriveDlg.h"
#include "platform/Platform.h"
#include "platform/host/Directory.h"
#include "platform/host/HostPlatform.h"
#include "platform/host/HostUi.h"
#include "store/DriverKey.h"

namespace {

using vxfuzz::Printable;
using vxfuzz::Require;

constexpr int kResetButtonId = 1005;

struct FileState {
    ino_t inode;
    std::string text;
};

// The regular files of a folder, by path.
std::map<std::string, FileState> FolderFiles(const std::string& folder) {
    std::map<std::string, FileState> files;
    const vx::UniqueDirectory dir = vx::OpenDirectory(folder);
    if (!dir) return files;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string path = folder + "/" + entry->d_name;
        struct stat info;
        if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        files[path] = {info.st_ino, text.str()};
    }
    return files;
}

void EmptyFolder(const std::string& folder) {
    for (const auto& file : FolderFiles(folder)) unlink(file.first.c_str());
}

// The Windows folder of the INI files; it lives as long as the process.
struct Folder {
    Folder() : path(vxfuzz::MakeWorkFolder("page")) {}
    ~Folder() {
        EmptyFolder(path);
        rmdir(path.c_str());
    }
    std::string path;
};

std::vector<vx::CSettingButton*> Entries(const vx::CZrDriveDlg& page) {
    std::vector<vx::CSettingButton*> entries;
    for (auto pos = page.m_entries.GetHeadPosition(); pos != nullptr;) {
        entries.push_back(page.m_entries.GetNext(pos));
    }
    return entries;
}

bool IsGroupName(const std::string& name) {
    return name.compare(0, 5, "Group") == 0;
}

void CheckEntryList(const std::vector<vx::CSettingButton*>& entries) {
    for (size_t i = 0; i < entries.size(); ++i) {
        Require(entries[i] != nullptr, "a null entry at position " + std::to_string(i));
        if (i == 0) continue;
        const vx::CSettingButton& a = *entries[i - 1];
        const vx::CSettingButton& b = *entries[i];
        Require(a.Compare(b) < 0 && b.Compare(a) > 0, "entries " + Printable(a.m_strName.c_str()) +
                                                          " and " + Printable(b.m_strName.c_str()) +
                                                          " at " + std::to_string(i - 1) +
                                                          " are out of order or equal");
    }
}

void CheckControls(const vx::HostUi& ui, const std::vector<vx::CSettingButton*>& entries) {
    std::set<vx::WindowHandle> created;
    int expected = vx::ControlIdBase + 1;
    for (const vx::HostWindow* w : ui.windows.Children(ui.sheets.PageWindow())) {
        if (w->id <= vx::ControlIdBase) continue;
        Require(w->id == expected, "control id " + std::to_string(w->id) + " where " +
                                       std::to_string(expected) + " was due");
        ++expected;
        created.insert(w->handle);
    }
    Require(vx::LastControlId == expected - 1, "LastControlId " +
                                                   std::to_string(vx::LastControlId) + " after " +
                                                   std::to_string(created.size()) + " controls");
    for (const vx::CSettingButton* e : entries) {
        if (e->GetSafeHwnd() == nullptr) continue;
        Require(created.count(e->GetSafeHwnd()) != 0,
                "the button of " + Printable(e->m_strName.c_str()) + " is not a created control");
        Require(ui.windows.Find(e->GetSafeHwnd())->caption == e->m_strCaption.c_str(),
                "the button of " + Printable(e->m_strName.c_str()) + " has another caption");
    }
}

// The Association key of each Layout value's name, before the page runs.
using AssociationKeys = std::map<std::string, vx::RegistryNode::Ptr>;

AssociationKeys FindAssociationKeys(const vx::HostRegistryTree& registry,
                                    const std::vector<std::string>& layoutNames) {
    AssociationKeys keys;
    for (const std::string& name : layoutNames) {
        if (vx::RegistryNode::Ptr key = registry.FindKey(vxfuzz::AssociationPath(name))) {
            keys[name] = key;
        }
    }
    return keys;
}

// The registry data that the showing may have deleted: of every Layout value
// that is gone, the value itself and, unless it is a Group entry's, the
// Association key of exactly its name. Those values must have been entries
// that left the list.
vxfuzz::AllowedRemovals ShowingRemovals(const vx::HostRegistryTree& registry,
                                        const std::vector<std::string>& layoutBefore,
                                        const AssociationKeys& associations,
                                        const vxfuzz::EnumerationLog& log,
                                        const std::vector<vx::CSettingButton*>& entries) {
    std::set<std::string> listed;
    for (const vx::CSettingButton* e : entries) listed.insert(e->m_strName.c_str());
    const std::vector<std::string> layoutAfter = registry.ValueNames(vxfuzz::LayoutPath());
    const std::set<std::string> remaining(layoutAfter.begin(), layoutAfter.end());

    vxfuzz::AllowedRemovals allowed;
    allowed.valueKey = registry.FindKey(vxfuzz::LayoutPath()).get();
    for (const std::string& name : layoutBefore) {
        if (remaining.count(name) != 0) continue;
        Require(log.Enumerated().count(name) != 0,
                "the Layout value " + Printable(name) + " went without being loaded");
        Require(listed.count(name) == 0,
                "the Layout value " + Printable(name) + " went while its entry stays listed");
        allowed.valueNames.insert(name);
        if (IsGroupName(name) || name.empty() || name.find('\\') != std::string::npos) continue;
        const auto key = associations.find(name);
        if (key != associations.end()) allowed.keys.insert(key->second.get());
    }
    return allowed;
}

// Registry text of a value as the store reads it: up to its first zero
// byte, none when it does not fit the room of 256 bytes.
bool StoredText(const vx::HostRegistryTree& registry, const std::string& key, const char* name,
                std::string* text) {
    vx::RegistryValue value;
    if (!registry.ReadValue(key, name, &value) || value.data.size() > vx::kRegistryTextRoom) {
        return false;
    }
    const std::string bytes(value.data.begin(), value.data.end());
    *text = bytes.substr(0, std::strlen(bytes.c_str()));
    return true;
}

struct Binding {
    std::string file;
    std::string section;
    std::string key;
    bool operator<(const Binding& o) const {
        return std::tie(file, section, key) < std::tie(o.file, o.section, o.key);
    }
};

// The INI keys named by the Association data of the listed entries.
std::set<Binding> NamedBindings(const vx::HostRegistryTree& registry,
                                const std::vector<vx::CSettingButton*>& entries) {
    std::set<Binding> bindings;
    for (const vx::CSettingButton* e : entries) {
        if (e->IsGroup()) continue;
        const std::string key = vxfuzz::AssociationPath(e->m_strName.c_str());
        Binding b;
        if (StoredText(registry, key, "INIFile", &b.file) &&
            StoredText(registry, key, "Section", &b.section) &&
            StoredText(registry, key, "KeyString", &b.key)) {
            bindings.insert(b);
        }
    }
    return bindings;
}

// Whether a line "key=value" reads back as that key: not so for a key with
// an '=', one that starts with '[' or with the UTF-8 mark.
bool PlainKey(const std::string& key) {
    const std::string name = vxfuzz::TrimIni(key);
    return name.find('=') == std::string::npos && (name.empty() || name[0] != '[') &&
           name.compare(0, 3, "\xEF\xBB\xBF") != 0;
}

// Every INI file that Apply changed was written, and only in lines of the
// keys (and headers of the sections) that were written to it.
void CheckIniChanges(const std::map<std::string, FileState>& before,
                     const std::map<std::string, FileState>& after,
                     const std::vector<vxfuzz::ProfileWrite>& writes) {
    for (const auto& [path, state] : after) {
        const auto old = before.find(path);
        const std::string oldText = old != before.end() ? old->second.text : std::string();
        if (old != before.end() && old->second.text == state.text) continue;
        std::vector<const vxfuzz::ProfileWrite*> toFile;
        for (const vxfuzz::ProfileWrite& w : writes) {
            if (w.path == path) toFile.push_back(&w);
        }
        Require(!toFile.empty(), "Apply changed " + path + ", which it did not write");
        const vxfuzz::IniEdit edit = vxfuzz::LineChanges(oldText, state.text);
        const std::string texts =
            "\nbefore: " + Printable(oldText) + "\nafter:  " + Printable(state.text);
        bool plain = true;
        for (const vxfuzz::ProfileWrite* w : toFile) plain = plain && PlainKey(w->key);
        Require(edit.markKept || !plain, "Apply moved the UTF-8 mark of " + path);
        auto written = [&](const vxfuzz::IniLine& line, bool header) {
            std::string name;
            for (const vxfuzz::ProfileWrite* w : toFile) {
                if (!PlainKey(w->key)) return true;
                if (vxfuzz::IsKeyLine(line, &name) &&
                    vxfuzz::SameIniName(name, vxfuzz::TrimIni(w->key))) {
                    return true;
                }
                if (header && vxfuzz::IsHeaderLine(line, &name) &&
                    vxfuzz::SameIniName(name, vxfuzz::TrimIni(w->section))) {
                    return true;
                }
            }
            return false;
        };
        for (const vxfuzz::IniLine& line : edit.removed) {
            Require(written(line, false),
                    "Apply changed the line " + Printable(line.text) + " of " + path + texts);
        }
        for (const vxfuzz::IniLine& line : edit.added) {
            Require(written(line, true),
                    "Apply added the line " + Printable(line.text) + " to " + path + texts);
        }
    }
    for (const auto& [path, state] : before) {
        Require(after.count(path) != 0, "Apply removed " + path);
    }
}

// With VX_FUZZ_VERBOSE set: what the page had to work with and what it made of it.
void Trace(const std::vector<std::string>& layoutBefore, const vx::HostRegistryTree& registry,
           const std::vector<vx::CSettingButton*>& entries) {
    if (getenv("VX_FUZZ_VERBOSE") == nullptr) return;
    std::fprintf(stderr, "Layout values before:");
    for (const std::string& name : layoutBefore)
        std::fprintf(stderr, " '%s'", Printable(name).c_str());
    std::fprintf(stderr, "\nLayout values after:");
    for (const std::string& name : registry.ValueNames(vxfuzz::LayoutPath())) {
        std::fprintf(stderr, " '%s'", Printable(name).c_str());
    }
    std::fprintf(stderr, "\nAssociation keys after:");
    for (const std::string& name : registry.SubkeyNames(vxfuzz::AssociationPath(""))) {
        std::fprintf(stderr, " '%s'", Printable(name).c_str());
    }
    std::fprintf(stderr, "\nEntries:");
    for (const vx::CSettingButton* e : entries) {
        std::fprintf(stderr, " '%s'(%s %d %d)", Printable(e->m_strName.c_str()).c_str(),
                     e->m_strKind.c_str(), e->m_nGroup, e->m_nOrder);
    }
    std::fprintf(stderr, "\n");
}

// What the page runs over.
struct Run {
    vx::HostPlatform& host;
    vxfuzz::SandboxProfile& profile;
    vxfuzz::EnumerationLog& registryLog;
    vx::HostUi& ui;
    const std::string& folder;
};

// One showing of the page: its dialog initialisation with the checks of
// what it left, then clicks, perhaps "&Reset", and Apply with the checks of
// what Apply changed.
void ShowAndApply(FuzzedDataProvider& in, Run& run, vx::CZrDriveDlg& page) {
    vx::HostRegistryTree& registry = run.host.Registry();
    const vxfuzz::RegistrySnapshot registryBefore(registry);
    const std::vector<std::string> layoutBefore = registry.ValueNames(vxfuzz::LayoutPath());
    const AssociationKeys associations = FindAssociationKeys(registry, layoutBefore);
    const auto filesBefore = FolderFiles(run.folder);
    const size_t writesBefore = run.profile.Writes().size();
    run.registryLog.Forget();

    run.ui.sheets.ShowPage(run.ui.sheets.CreatePage(page));

    const std::vector<vx::CSettingButton*> entries = Entries(page);
    Trace(layoutBefore, registry, entries);
    CheckEntryList(entries);
    CheckControls(run.ui, entries);
    const vxfuzz::RegistrySnapshot registryShown(registry);
    const std::string difference = vxfuzz::RegistryDifference(
        registryBefore, registryShown,
        ShowingRemovals(registry, layoutBefore, associations, run.registryLog, entries));
    Require(difference.empty(), "the showing changed the registry: " + difference);
    Require(run.profile.Writes().size() == writesBefore, "the showing wrote an INI file");
    const auto filesShown = FolderFiles(run.folder);
    Require(filesShown.size() == filesBefore.size(), "the showing added or removed a file");
    for (const auto& [path, state] : filesBefore) {
        const auto now = filesShown.find(path);
        Require(now != filesShown.end() && now->second.inode == state.inode &&
                    now->second.text == state.text,
                "the showing touched " + path);
    }

    const int clicks = in.ConsumeIntegralInRange(0, 12);
    const int created = vx::LastControlId - vx::ControlIdBase;
    for (int i = 0; i < clicks; ++i) {
        run.ui.sheets.Click(vx::ControlIdBase + 1 + in.ConsumeIntegralInRange(0, created + 1));
    }
    if (in.ConsumeIntegralInRange(0, 5) == 0) run.ui.sheets.Click(kResetButtonId);
    const std::set<Binding> named = NamedBindings(registry, entries);
    run.ui.sheets.PressApply();

    const std::string applied =
        vxfuzz::RegistryDifference(registryShown, vxfuzz::RegistrySnapshot(registry), {});
    Require(applied.empty(), "Apply changed the registry: " + applied);
    const std::vector<vxfuzz::ProfileWrite> writes(
        run.profile.Writes().begin() + static_cast<long>(writesBefore), run.profile.Writes().end());
    for (const vxfuzz::ProfileWrite& w : writes) {
        Require(named.count({w.file, w.section, w.key}) != 0,
                "Apply wrote [" + Printable(w.section) + "] " + Printable(w.key) + " of " +
                    Printable(w.file) + ", which no listed entry names");
    }
    CheckIniChanges(filesShown, FolderFiles(run.folder), writes);
    if (getenv("VX_FUZZ_VERBOSE") != nullptr) {
        std::fprintf(stderr, "Apply: %zu INI writes\n", writes.size());
    }
}

void RunPage(FuzzedDataProvider& in, const std::string& folder) {
    vx::HostPlatform host(folder);
    const std::vector<vxfuzz::IniFile> files = vxfuzz::MakeDriverData(in, host.Registry());
    for (const vxfuzz::IniFile& file : files) {
        std::ofstream out(folder + "/" + file.name, std::ios::binary);
        out.write(file.text.data(), static_cast<std::streamsize>(file.text.size()));
    }
    host.Install();
    vxfuzz::SandboxProfile profile(folder);
    vxfuzz::EnumerationLog registryLog(host.RegistryApi());
    vx::Platform().profile = &profile;
    vx::Platform().registry = &registryLog;
    vx::HostUi ui;
    ui.Install();
    {
        Run run{host, profile, registryLog, ui, folder};
        vx::CZrDriveDlg page;
        ShowAndApply(in, run, page);
        ui.sheets.ClosePage();
        // The same page object serves a later showing too.
        if (in.ConsumeBool()) {
            ShowAndApply(in, run, page);
            ui.sheets.ClosePage();
        }
    }
    ui.Uninstall();
    vx::Platform().profile = nullptr;
    vx::Platform().registry = nullptr;
    host.Uninstall();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Folder folder;
    EmptyFolder(folder.path);
    vx::DriverKeyPath = vxfuzz::kDriverKey;
    vx::PendingAction = "Dynamic";
    FuzzedDataProvider in(data, size);
    RunPage(in, folder.path);
    return 0;
}
