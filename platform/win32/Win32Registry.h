// The registry of the running Windows system. Every path is relative to
// HKEY_LOCAL_MACHINE; the system's own results are passed through unchanged.
#pragma once

#include "platform/Registry.h"
#include "platform/RegistryMethods.h"

namespace vx {

class Win32Registry final : public IRegistry {
  public:
    VX_OVERRIDES(VX_REGISTRY_METHODS)
};

}  // namespace vx
