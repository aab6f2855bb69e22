#include "Platform.h"

namespace vx {

PlatformServices& Platform() {
    static PlatformServices services;
    return services;
}

void InstalledServices::Install() {
    ForEachService(
        [](auto*& slot, auto* own, auto*& found) {
            if (own != nullptr && slot != own) {
                found = slot;
                slot = own;
            }
        },
        Platform(), m_own, m_found);
    m_installed = true;
}

void InstalledServices::Uninstall() {
    ForEachService(
        [](auto*& slot, auto* own, auto*& found) {
            if (own != nullptr && slot == own) slot = found;
            found = nullptr;
        },
        Platform(), m_own, m_found);
    m_installed = false;
}

}  // namespace vx
