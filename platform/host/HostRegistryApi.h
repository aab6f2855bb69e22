// The registry functions of the Windows API over the host registry's
// HKEY_LOCAL_MACHINE, with their result codes and buffer rules. As in
// Windows 95, a key opened for reading takes value changes too.
//
// Handles are opaque numbers that are never given out twice. A handle that
// was never given out, or was closed, is refused with ERROR_INVALID_HANDLE.
// A handle whose key was deleted in the meantime stays valid until it is
// closed; everything else done through it fails with ERROR_KEY_DELETED.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "HostRegistryTree.h"
#include "platform/Registry.h"
#include "platform/RegistryMethods.h"
#include "platform/WinConstants.h"

namespace vx {

class HostRegistryApi final : public IRegistry {
  public:
    explicit HostRegistryApi(HostRegistryTree& registry) : m_registry(registry) {}

    VX_OVERRIDES(VX_REGISTRY_METHODS)

    // Keys opened and not yet closed.
    size_t OpenHandleCount() const { return m_slots.size() - m_freeSlots.size(); }

  private:
    // The live key of a handle; null with the error code otherwise.
    RegistryNode::Ptr KeyOf(KeyHandle key, long* error) const;

    // An open key. A handle names its slot in its low bits and a serial
    // number above them, so that finding its key takes no search, and a
    // slot used again never gives out a handle it gave before.
    struct Slot {
        uintptr_t handle = 0;  // 0 while free
        RegistryNode::Ptr key;
    };
    static constexpr unsigned kSlotBits = 20;

    HostRegistryTree& m_registry;
    std::vector<Slot> m_slots;
    std::vector<size_t> m_freeSlots;
    uintptr_t m_nextSerial = 1;
    // Keys found by their path before. Keys never move: a key that has not
    // been deleted is still the one at the path that found it, so a later
    // open of the same path takes it from here without walking the tree.
    std::unordered_map<std::string, std::weak_ptr<RegistryNode>> m_found;
};

}  // namespace vx
