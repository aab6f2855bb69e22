// Registry and INI data for the page's settings, on both backends.
#pragma once

#include <string>
#include <vector>

#include "store/DriverFixture.h"

namespace vxtest {

// One Layout value and, when key is set, its Association key: the setting
// is bit 0 of the integer key in section "Display" of the INI file.
struct LayoutSetting {
    std::string name;
    std::string caption;
    std::string key;
    std::string defaultState;  // "Default"; none when empty
    std::string action;        // "Action"; none when empty
};

// The settings of the page's worked example and the INI file behind them:
// Fast fill and Standard on, the others off; Extra is not admitted by its
// group, whose order number is 2.
inline std::vector<LayoutSetting> ExampleSettings() {
    return {
        {"Group1_2", "Options", "", "", ""},
        {"Check1_1", "Fast fill", "FastFill", "On", "Dynamic"},
        {"Check1_2", "Smooth lines", "SmoothLines", "", "Mode"},
        {"Check1_3", "Extra", "Extra", "", "Reboot"},
        {"Group2_2", "Refresh", "", "", ""},
        {"Radio2_1", "Standard", "Standard", "On", "Mode"},
        {"Radio2_2", "High", "High", "", "Reboot"},
    };
}
constexpr char kExampleIni[] =
    "[Display]\r\nFastFill=1\r\nSmoothLines=0\r\nExtra=1\r\nStandard=1\r\nHigh=0\r\n";

// The registry text of the settings' Layout values and Association keys.
inline std::string LayoutRegText(const std::vector<LayoutSetting>& settings,
                                 const std::string& iniPath) {
    std::string text = "REGEDIT4\r\n\r\n" + KeyLine(LayoutKey()) + "\r\n";
    for (const LayoutSetting& s : settings) text += SzLine(s.name, s.caption) + "\r\n";
    for (const LayoutSetting& s : settings) {
        if (s.key.empty()) continue;
        text += "\r\n" + KeyLine(AssociationKey(s.name)) + "\r\n";
        text += SzLine("INIFile", iniPath) + "\r\n";
        text += SzLine("Section", "Display") + "\r\n";
        text += SzLine("KeyString", s.key) + "\r\n";
        text += "\"AndMask\"=hex:fe\r\n\"OrMask\"=hex:01\r\n";
        if (!s.defaultState.empty()) text += SzLine("Default", s.defaultState) + "\r\n";
        if (!s.action.empty()) text += SzLine("Action", s.action) + "\r\n";
    }
    return text;
}

}  // namespace vxtest
