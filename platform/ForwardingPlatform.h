// Stands in front of the platform's services and passes every call on,
// unchanged, to the services it stands in front of. Whatever watches the
// calls across the seam (the benchmarks' call log, the tool's record of
// what the page deleted and wrote, the fuzz targets' enumeration log)
// derives from it and overrides only the calls it looks at, passing them
// on through this class.
#pragma once

#include "LibraryMethods.h"
#include "Platform.h"
#include "RegistryMethods.h"

namespace vx {

class ForwardingPlatform : public IRegistry,
                           public IProfile,
                           public ILibraryLoader,
                           public ISystem,
                           public IDebugOutput,
                           public IWindowing,
                           public IPropertySheets,
                           public IShellServices,
                           public IModulePath {
  public:
    // Calls go on to inner's services; only those that are there are asked.
    explicit ForwardingPlatform(const PlatformServices& inner = {}) : m_inner(inner) {}
    ~ForwardingPlatform() override;
    ForwardingPlatform(const ForwardingPlatform&) = delete;
    ForwardingPlatform& operator=(const ForwardingPlatform&) = delete;

    // Takes the place of every service that Platform() holds (a slot that
    // is empty stays empty); the services found become the inner ones.
    void Install();
    // Puts back what Install found.
    void Uninstall();
    const PlatformServices& Inner() const { return m_inner; }

    VX_OVERRIDES(VX_REGISTRY_METHODS)
    VX_OVERRIDES(VX_PROFILE_METHODS)
    VX_OVERRIDES(VX_LIBRARY_METHODS)
    VX_OVERRIDES(VX_SYSTEM_METHODS)
    VX_OVERRIDES(VX_DEBUG_OUTPUT_METHODS)
    VX_OVERRIDES(VX_WINDOWING_METHODS)
    VX_OVERRIDES(VX_PROPERTY_SHEET_METHODS)
    VX_OVERRIDES(VX_SHELL_METHODS)
    VX_OVERRIDES(VX_MODULE_PATH_METHODS)

  private:
    PlatformServices m_inner;
    PlatformServices m_replaced;  // what Install found in Platform()
    bool m_installed = false;

    // This object in every slot.
    PlatformServices Own();
};

}  // namespace vx
