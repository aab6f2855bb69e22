#include "DisplayLibrary.h"

#include "page/PostApply.h"
#include "platform/framework/FrameworkString.h"
#include "vx_abi.h"

namespace vexaro {

namespace {

// The library's state: entry points are plain functions.
const vx::HostRegistryTree* g_registry = nullptr;
DisplayMode g_mode;

int VX_STDCALL GetConfigString(vx::CString& path, int capacity) {
    if (g_registry == nullptr || capacity <= 0) return 0;
    std::string composed = DriverKeyOf(*g_registry);
    if (composed.empty() || composed.size() > static_cast<size_t>(capacity)) return 0;
    path = composed.c_str();
    return 1;
}

int VX_STDCALL GetCurrentConfig(vx::_settingdata& data) {
    data.field1 = 0;
    data.field2 = 0;
    data.bitsPerPel = g_mode.bitsPerPel.c_str();
    data.resolution = g_mode.resolution.c_str();
    data.frequency = g_mode.frequency.c_str();
    return 1;
}

}  // namespace

std::string DriverKeyOf(const vx::HostRegistryTree& registry) {
    vx::RegistryValue value;
    if (!registry.ReadValue(kMakerKey, kCurrentDisplayKey, &value)) return {};
    std::string subkey;
    for (uint8_t b : value.data) {
        if (b == 0) break;
        subkey += static_cast<char>(b);
    }
    return subkey.empty() ? std::string() : kDisplayClassPrefix + subkey;
}

void RegisterDisplayLibrary(vx::HostLibraries& libraries, const vx::HostRegistryTree& registry,
                            const DisplayMode& mode) {
    g_registry = &registry;
    g_mode = mode;
    libraries.Register("ferolib.dll", {{"?GetConfigString@@YGHAAVCString@@H@Z",
                                        vx::HostLibraries::Symbol(&GetConfigString)},
                                       {"?GetCurrentConfig@@YGHAAU_settingdata@@@Z",
                                        vx::HostLibraries::Symbol(&GetCurrentConfig)}});
}

}  // namespace vexaro
