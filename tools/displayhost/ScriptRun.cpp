#include "ScriptRun.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "DisplayChangeWatcher.h"
#include "DriverLayout.h"
#include "MessageBoxAnswerer.h"
#include "PageControls.h"
#include "Screenshot.h"

namespace displayhost {

namespace {

constexpr char kRestartCaption[] = "Vexaro";

// A created control together with the Layout value it shows.
struct Setting {
    PageControl control;
    const LayoutSetting* layout = nullptr;
};

// The INI integer that a setting stands for, as its Association names it.
struct IniBinding {
    std::string file, section, key;
    bool Valid() const { return !file.empty() && !section.empty() && !key.empty(); }
    int Read() const {
        return static_cast<int>(
            GetPrivateProfileIntA(section.c_str(), key.c_str(), 0, file.c_str()));
    }
};

int Strength(const std::string& action) {
    if (action == "Reboot") return 2;
    if (action == "Mode") return 1;
    return 0;
}

std::string ActionName(const std::string& action) {
    return action.empty() ? "(none)" : action;
}

std::vector<std::string> TabTitles(HWND sheet) {
    std::vector<std::string> titles;
    auto tab = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[128] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        titles.push_back(text);
    }
    return titles;
}

// Pairs each check box and radio button with the first unused Layout value
// of the same kind and caption.
std::vector<Setting> MatchSettings(const std::vector<PageControl>& controls,
                                   const std::vector<LayoutSetting>& layout) {
    std::vector<Setting> settings;
    std::vector<bool> used(layout.size(), false);
    for (const PageControl& control : controls) {
        Setting setting{control, nullptr};
        for (size_t i = 0; i < layout.size(); ++i) {
            if (!used[i] && layout[i].kind == control.kind && layout[i].caption == control.text) {
                used[i] = true;
                setting.layout = &layout[i];
                break;
            }
        }
        settings.push_back(setting);
    }
    return settings;
}

// One setting per action kind, weakest action first: a check box where
// there is one (a click always changes it), else a radio button that is off.
std::vector<const Setting*> ChooseClicks(const std::vector<Setting>& settings) {
    std::map<std::pair<int, std::string>, const Setting*> chosen;
    for (const Setting& s : settings) {
        if (!s.layout || (s.control.kind != "Check" && s.control.kind != "Radio")) continue;
        auto key = std::make_pair(Strength(s.layout->action), s.layout->action);
        auto it = chosen.find(key);
        bool usable = s.control.kind == "Check" || !s.control.checked;
        if (!usable) continue;
        if (it == chosen.end() ||
            (it->second->control.kind != "Check" && s.control.kind == "Check"))
            chosen[key] = &s;
    }
    std::vector<const Setting*> clicks;
    for (const auto& entry : chosen) clicks.push_back(entry.second);
    return clicks;
}

void PrintBox(std::FILE* out, const AnsweredBox& box) {
    std::fprintf(out, "  message box \"%s\" with buttons", box.caption.c_str());
    for (const std::string& b : box.buttons) std::fprintf(out, " [%s]", b.c_str());
    std::fprintf(out, ":\n");
    size_t start = 0;
    while (start <= box.text.size()) {
        size_t end = box.text.find('\n', start);
        if (end == std::string::npos) end = box.text.size();
        std::fprintf(out, "    | %s\n", box.text.substr(start, end - start).c_str());
        start = end + 1;
    }
    std::fprintf(out, "  answered %s\n", box.answer == IDNO ? "No" : "Yes");
}

struct Clicked {
    const Setting* setting;
    IniBinding ini;
    int before;
};

class ScriptRunner {
  public:
    ScriptRunner(DisplaySheet* sheet, const Options& options, std::FILE* out)
        : m_sheet(sheet), m_options(options), m_out(out) {}

    ScriptResult Run() {
        m_driverKey = FindDriverKey();
        m_layout = ReadDriverLayout(m_driverKey);
        std::fprintf(m_out, "driver key: HKEY_LOCAL_MACHINE\\%s (%zu Layout values)\n",
                     m_driverKey.empty() ? "(none found)" : m_driverKey.c_str(), m_layout.size());

        Step("opening \"%s\" (modeless)", kSheetCaption);
        HWND window = m_sheet->OpenModeless(nullptr);
        if (!window) {
            std::fprintf(m_out, "the property sheet could not be created\n");
            return kScriptFailed;
        }
        std::vector<std::string> tabs = TabTitles(window);
        std::fprintf(m_out, "sheet \"%s\": %zu page(s):", kSheetCaption, tabs.size());
        for (const std::string& t : tabs) std::fprintf(m_out, " [%s]", t.c_str());
        std::fprintf(m_out, "\n");
        if (m_sheet->ExtensionPageCount() == 0) {
            std::fprintf(m_out, "no extension page was added\n");
            Close();
            return kScriptNoExtensionPage;
        }

        HWND page = m_sheet->ShowPage(1);
        std::string pageTitle = tabs.size() > 1 ? tabs[1] : "";
        std::vector<PageControl> controls = ReadPageControls(page);
        std::vector<Setting> settings = MatchSettings(controls, m_layout);
        std::fprintf(m_out, "page \"%s\": %zu created control(s)\n", pageTitle.c_str(),
                     controls.size());
        for (const Setting& s : settings) PrintSetting(s);

        if (!m_options.screenshot.empty()) {
            Step("saving a picture of the sheet to %s", m_options.screenshot.c_str());
            if (!SaveWindowPicture(window, m_options.screenshot)) {
                std::fprintf(m_out, "the picture could not be saved\n");
                return kScriptFailed;
            }
            m_sheet->ShowPage(1);
        }

        std::vector<const Setting*> clicks = ChooseClicks(settings);
        if (clicks.empty()) std::fprintf(m_out, "no setting to click\n");
        bool ok = true;
        std::vector<Clicked> pending;
        for (const Setting* s : clicks) {
            pending.push_back(ClickSetting(*s));
            if (!m_options.oneApply) {
                ok &= Apply(pending);
                pending.clear();
            }
        }
        if (!pending.empty()) ok &= Apply(pending);

        Close();
        return ok ? kScriptDone : kScriptFailed;
    }

  private:
    template <typename... Args>
    void Step(const char* format, Args... args) {
        std::fprintf(m_out, "... ");
        std::fprintf(m_out, format, args...);
        std::fprintf(m_out, "\n");
        std::fflush(m_out);
    }

    void PrintSetting(const Setting& s) {
        const PageControl& c = s.control;
        std::fprintf(m_out, "  %d %-5s %-3s (%ld,%ld)-(%ld,%ld) \"%s\"", c.id, c.kind.c_str(),
                     c.kind == "Group" ? "" : (c.checked ? "on" : "off"), c.rect.left, c.rect.top,
                     c.rect.right, c.rect.bottom, c.text.c_str());
        if (s.layout)
            std::fprintf(m_out, "  %s Action %s", s.layout->name.c_str(),
                         ActionName(s.layout->action).c_str());
        std::fprintf(m_out, "\n");
    }

    IniBinding BindingOf(const Setting& s) {
        IniBinding b;
        b.file = ReadAssociationValue(m_driverKey, s.layout->name, "INIFile");
        b.section = ReadAssociationValue(m_driverKey, s.layout->name, "Section");
        b.key = ReadAssociationValue(m_driverKey, s.layout->name, "KeyString");
        return b;
    }

    Clicked ClickSetting(const Setting& s) {
        Clicked clicked{&s, BindingOf(s), 0};
        if (clicked.ini.Valid()) clicked.before = clicked.ini.Read();
        bool wasOn = SendMessageA(s.control.window, BM_GETCHECK, 0, 0) == BST_CHECKED;
        Step("Action %s: clicking %d %s \"%s\" (%s)", ActionName(s.layout->action).c_str(),
             s.control.id, s.control.kind.c_str(), s.control.text.c_str(), s.layout->name.c_str());
        Click(s.control.window);
        bool isOn = SendMessageA(s.control.window, BM_GETCHECK, 0, 0) == BST_CHECKED;
        std::fprintf(m_out, "  %s -> %s; Apply button %s\n", wasOn ? "on" : "off",
                     isOn ? "on" : "off", m_sheet->ApplyEnabled() ? "enabled" : "disabled");
        return clicked;
    }

    bool Apply(const std::vector<Clicked>& clicked) {
        if (!m_sheet->ApplyEnabled()) {
            std::fprintf(m_out, "  the Apply button is not enabled: nothing applied\n");
            return false;
        }
        Step("pressing Apply");
        DisplayChangeWatcher modeWatcher;
        MessageBoxAnswerer answerer(kRestartCaption, IDNO);
        Click(GetDlgItem(m_sheet->Window(), kApplyButtonId));
        PumpMessagesFor(200);

        for (const Clicked& c : clicked) {
            if (!c.ini.Valid()) continue;
            std::fprintf(m_out, "  %s: [%s] %s in %s: %d -> %d\n", c.setting->layout->name.c_str(),
                         c.ini.section.c_str(), c.ini.key.c_str(), c.ini.file.c_str(), c.before,
                         c.ini.Read());
        }
        for (const AnsweredBox& box : answerer.Answered()) PrintBox(m_out, box);
        bool asked = !answerer.Answered().empty();
        bool modeSet = modeWatcher.Count() > 0;
        const char* action = asked     ? "Reboot (the restart question was asked)"
                             : modeSet ? "Mode (the display mode was set again)"
                                       : "none (the settings took effect at once)";
        std::fprintf(m_out, "  post-apply action: %s\n", action);
        std::fprintf(m_out, "  Apply button afterwards: %s\n",
                     m_sheet->ApplyEnabled() ? "enabled" : "disabled");
        return true;
    }

    void Close() {
        Step("closing the sheet (Cancel)");
        {
            MessageBoxAnswerer answerer(kRestartCaption, IDNO);
            m_sheet->Press(PSBTN_CANCEL);
            PumpMessages();
        }
        m_sheet->Close();
        std::fprintf(m_out, "sheet closed\n");
    }

    DisplaySheet* m_sheet;
    const Options& m_options;
    std::FILE* m_out;
    std::string m_driverKey;
    std::vector<LayoutSetting> m_layout;
};

}  // namespace

ScriptResult RunScript(DisplaySheet* sheet, const Options& options, std::FILE* out) {
    return ScriptRunner(sheet, options, out).Run();
}

}  // namespace displayhost
