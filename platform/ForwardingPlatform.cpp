#include "ForwardingPlatform.h"

namespace vx {

// Defines one method that passes the call on to the service in the slot.
#define VX_FORWARD_METHOD(slot, result, name, parameters, arguments) \
    result ForwardingPlatform::name parameters {                     \
        return m_inner.slot->name arguments;                         \
    }

ForwardingPlatform::~ForwardingPlatform() {
    Uninstall();
}

PlatformServices ForwardingPlatform::Own() {
    return PlatformServices{this, this, this, this, this, this, this, this, this};
}

void ForwardingPlatform::Install() {
    if (m_installed) return;
    PlatformServices& p = Platform();
    m_replaced = p;
    m_inner = p;
    ForEachService(
        [](auto*& slot, auto* own) {
            if (slot != nullptr) slot = own;
        },
        p, Own());
    m_installed = true;
}

void ForwardingPlatform::Uninstall() {
    if (!m_installed) return;
    ForEachService(
        [](auto*& slot, auto* own, auto* found) {
            if (slot == own) slot = found;
        },
        Platform(), Own(), m_replaced);
    m_installed = false;
}

VX_REGISTRY_METHODS(VX_FORWARD_METHOD, registry)
VX_PROFILE_METHODS(VX_FORWARD_METHOD, profile)
VX_LIBRARY_METHODS(VX_FORWARD_METHOD, libraries)
VX_SYSTEM_METHODS(VX_FORWARD_METHOD, system)
VX_DEBUG_OUTPUT_METHODS(VX_FORWARD_METHOD, debug)
VX_WINDOWING_METHODS(VX_FORWARD_METHOD, windows)
VX_PROPERTY_SHEET_METHODS(VX_FORWARD_METHOD, sheets)
VX_SHELL_METHODS(VX_FORWARD_METHOD, shell)
VX_MODULE_PATH_METHODS(VX_FORWARD_METHOD, modulePath)

}  // namespace vx
