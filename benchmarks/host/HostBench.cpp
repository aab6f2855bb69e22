#include "HostBench.h"

#include <filesystem>

#include "layout/PendingAction.h"
#include "page/ControlPlacement.h"
#include "platform/WinConstants.h"
#include "platform/host/HostWindowing.h"
#include "platform/host/ProfileCache.h"
#include "store/DriverKey.h"
#include "support/host/TempFolder.h"

namespace vxbench {

HostBench::HostBench(int entries) {
    m_folder = vxtest::MakeTempFolder("vxbench");
    if (m_folder.empty()) return;
    m_folder += '/';
    m_data = MakeSettings(entries, m_folder);
    m_host = std::make_unique<vx::HostPlatform>(vx::ProfileFolders{m_folder, {}, true});
    for (const RegistryKeyData& key : m_data.keys) {
        const std::string path = "HKEY_LOCAL_MACHINE\\" + key.path;
        m_host->Registry().CreateKey(path);
        for (const RegistryValueData& v : key.values) {
            m_host->Registry().SetValue(path, v.name, v.type, v.data);
        }
    }
    m_host->Install();
    vx::DriverKeyPath = kDriverKey;
    vx::PendingAction = "Dynamic";
    m_ok = ResetIniFiles();
}

HostBench::~HostBench() {
    if (m_host) m_host->Uninstall();
    vx::DriverKeyPath.Empty();
    if (!m_folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
}

bool HostBench::ResetIniFiles() {
    return WriteIniFiles();
}

void HostBench::Replay(const IniSequence& sequence) {
    vx::HostProfile& profile = m_host->Profile();
    for (const IniCall& c : sequence) {
        const std::string file = m_folder + c.file;
        if (c.write) {
            profile.WriteString(c.section.c_str(), c.key.c_str(), c.value.c_str(), file.c_str());
        } else {
            profile.GetInt(c.section.c_str(), c.key.c_str(), std::stoi(c.value), file.c_str());
        }
    }
    // Where the sheet's Apply ends: the writes reach the disk.
    vx::WriteBackProfileFiles();
}

ShownPage::ShownPage() {
    m_ui.Install();
    m_page = std::make_unique<vx::CZrDriveDlg>();
    m_handle = m_ui.sheets.CreatePage(*m_page);
}

ShownPage::~ShownPage() {
    m_ui.sheets.ClosePage();
    m_page.reset();
    m_ui.Uninstall();
}

void ShownPage::Show() {
    m_ui.sheets.ShowPage(m_handle);
}

void ShownPage::Apply() {
    m_ui.sheets.PressApply();
}

void ShownPage::ClickCheckBoxes() {
    for (const vx::HostWindow* w : m_ui.windows.Children(m_ui.sheets.PageWindow())) {
        if (w->id > vx::ControlIdBase &&
            (w->createStyle & vx::HostButtonType::kMask) == vx::HostButtonType::kAutoCheckBox) {
            m_ui.sheets.Click(w->id);
        }
    }
}

int ShownPage::ControlCount() const {
    int n = 0;
    for (const vx::HostWindow* w : m_ui.windows.Children(m_ui.sheets.PageWindow())) {
        if (w->id > vx::ControlIdBase) ++n;
    }
    return n;
}

}  // namespace vxbench
