#include "RegRoots.h"

#include <cctype>

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

bool SameNoCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

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
