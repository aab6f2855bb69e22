// Test set-up for the advanced page on the host backend: the platform with
// its headless windows, sheet and shell, a page object, and registry and
// INI data for the page's settings.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "page/ControlPlacement.h"
#include "page/PageData.h"
#include "page/ZrDriveDlg.h"
#include "platform/host/HostUi.h"
#include "support/host/HostAccess.h"

namespace vxtest {

class PageTest : public DriverTest {
  protected:
    PageTest() : iniPath(platform.IniPath("vexaro.ini")) { ui.Install(); }
    ~PageTest() override { ui.Uninstall(); }

    void Load(const std::vector<LayoutSetting>& settings, const std::string& iniText) {
        platform.LoadRegistry(LayoutRegText(settings, iniPath));
        TestPlatform::WriteFile(iniPath, iniText);
    }
    void LoadExample() { Load(ExampleSettings(), kExampleIni); }

    // Makes a page handle and shows the page: its dialog initialisation runs.
    vx::WindowHandle Show() {
        handle = ui.sheets.CreatePage(page);
        return ui.sheets.ShowPage(handle);
    }

    // The page's controls that its layout pass created, in creation order.
    std::vector<const vx::HostWindow*> Created() const {
        std::vector<const vx::HostWindow*> created;
        for (const vx::HostWindow* w : ui.windows.Children(ui.sheets.PageWindow())) {
            if (w->id > vx::ControlIdBase) created.push_back(w);
        }
        return created;
    }
    const vx::HostWindow* Control(int id) const {
        return ui.windows.Child(ui.sheets.PageWindow(), id);
    }
    std::vector<std::string> EntryNames() const {
        std::vector<std::string> names;
        for (auto pos = page.m_entries.GetHeadPosition(); pos != nullptr;) {
            names.emplace_back(page.m_entries.GetNext(pos)->m_strName.c_str());
        }
        return names;
    }
    vx::CSettingButton* Entry(int position) const {
        auto pos = page.m_entries.FindIndex(position);
        return pos ? page.m_entries.GetAt(pos) : nullptr;
    }
    std::string Ini() const { return TestPlatform::ReadFile(iniPath); }

    std::string iniPath;
    vx::HostUi ui;
    vx::CZrDriveDlg page;
    vx::PageHandle handle = nullptr;
};

// What a created control shows.
struct ControlView {
    int id;
    std::string caption;
    vx::Rect rect;
    uint32_t style;
    int check;
};

inline std::vector<ControlView> Views(const std::vector<const vx::HostWindow*>& windows) {
    std::vector<ControlView> views;
    for (const vx::HostWindow* w : windows) {
        views.push_back({w->id, w->caption, w->rect, w->createStyle, w->check});
    }
    return views;
}

inline bool operator==(const ControlView& a, const ControlView& b) {
    return a.id == b.id && a.caption == b.caption && a.rect == b.rect && a.style == b.style &&
           a.check == b.check;
}

inline void PrintTo(const ControlView& v, std::ostream* os) {
    *os << "{" << v.id << " \"" << v.caption << "\" (" << v.rect.left << "," << v.rect.top << ","
        << v.rect.right << "," << v.rect.bottom << ") 0x" << std::hex << v.style << std::dec
        << " check " << v.check << "}";
}

}  // namespace vxtest
