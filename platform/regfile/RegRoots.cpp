#include "RegRoots.h"

#include "platform/NoCase.h"

namespace vx::regfile {

namespace {

struct RootName {
    const char* full;
    const char* shortName;
};

constexpr RootName kRoots[] = {
    {"HKEY_LOCAL_MACHINE", "HKLM"}, {"HKEY_CURRENT_USER", "HKCU"},   {"HKEY_CLASSES_ROOT", "HKCR"},
    {"HKEY_USERS", "HKU"},          {"HKEY_CURRENT_CONFIG", "HKCC"}, {"HKEY_DYN_DATA", "HKDD"},
};

}  // namespace

std::string CanonicalRoot(const std::string& name) {
    for (const RootName& root : kRoots) {
        if (SameNoCase(name, root.full) || SameNoCase(name, root.shortName)) {
            return root.full;
        }
    }
    return {};
}

}  // namespace vx::regfile
