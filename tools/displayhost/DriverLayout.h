// What the display driver's registry data says about the page's settings:
// the Layout values (name, caption) and each one's Association "Action".
// The host reads this only to choose which settings to click.
#pragma once

#include <string>
#include <vector>

namespace displayhost {

struct LayoutSetting {
    std::string name;     // the Layout value's name, e.g. Check1_2
    std::string caption;  // its data
    std::string kind;     // "Group", "Check", "Radio" or empty
    std::string action;   // the Association's "Action", empty when missing
};

// HKEY_LOCAL_MACHINE-relative key of the display driver that carries Vexaro
// Layout data: the one that SOFTWARE\Corvane\Lumetra names, else the first
// display class subkey with such data; empty when none.
std::string FindDriverKey();

// The Layout values under driverKey\Vexaro\Layout, in enumeration order.
std::vector<LayoutSetting> ReadDriverLayout(const std::string& driverKey);

// The text of an Association value (up to the first zero byte), or empty.
std::string ReadAssociationValue(const std::string& driverKey, const std::string& name,
                                 const std::string& valueName);

}  // namespace displayhost
