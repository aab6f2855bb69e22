// The one place where the logic finds the platform. A backend fills it in
// before the logic runs (the DLL at process attach, a test in its set-up).
#pragma once

#include "DebugOutput.h"
#include "Libraries.h"
#include "Profile.h"
#include "Registry.h"
#include "System.h"
#include "Windowing.h"

namespace vx {

struct PlatformServices {
    IRegistry* registry = nullptr;
    IProfile* profile = nullptr;
    ILibraryLoader* libraries = nullptr;
    ISystem* system = nullptr;
    IDebugOutput* debug = nullptr;
    IWindowing* windows = nullptr;
    IPropertySheets* sheets = nullptr;
    IShellServices* shell = nullptr;
    IModulePath* modulePath = nullptr;
};

PlatformServices& Platform();

// Calls fn once for each service slot, with that slot of every set given:
// fn(a.registry, b.registry, ...), then the profile slots, and so on.
template <typename Fn, typename... Sets>
void ForEachService(Fn&& fn, Sets&&... sets) {
    fn(sets.registry...);
    fn(sets.profile...);
    fn(sets.libraries...);
    fn(sets.system...);
    fn(sets.debug...);
    fn(sets.windows...);
    fn(sets.sheets...);
    fn(sets.shell...);
    fn(sets.modulePath...);
}

// A backend's own services, which Install puts into Platform() and
// Uninstall (or the destructor) takes out again: a slot that still holds
// one of them gets back what Install found there. Slots the backend has
// no service for are left alone.
class InstalledServices {
  public:
    ~InstalledServices() { Uninstall(); }
    InstalledServices(const InstalledServices&) = delete;
    InstalledServices& operator=(const InstalledServices&) = delete;

    void Install();
    void Uninstall();
    // Between Install and Uninstall.
    bool Installed() const { return m_installed; }

  protected:
    InstalledServices() = default;
    // Called by the backend's constructor, before anything is installed.
    void SetOwn(const PlatformServices& own) { m_own = own; }

  private:
    PlatformServices m_own;
    PlatformServices m_found;
    bool m_installed = false;
};

}  // namespace vx
