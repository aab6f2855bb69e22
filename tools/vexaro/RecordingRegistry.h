// A registry that passes every call on to another one and keeps a log of
// what the page did to its Layout data: the values that its enumeration
// returned, the Layout values and Association keys that it deleted, and
// whether each deletion came while the entries were still being loaded
// (an eviction) or after the enumeration had ended (the layout pass).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ForwardingPlatform.h"

namespace vexaro {

struct LayoutDeletion {
    std::string name;
    bool duringLoading = false;  // before the Layout enumeration first failed
    std::string lastEnumerated;  // the value enumerated last before the deletion
};

class RecordingRegistry : public vx::ForwardingPlatform {
  public:
    explicit RecordingRegistry(vx::IRegistry& inner)
        : ForwardingPlatform(vx::PlatformServices{&inner}) {}

    long OpenKey(const char* path, uint32_t access, vx::KeyHandle* out) override;
    long EnumValue(vx::KeyHandle key, uint32_t index, char* name, uint32_t* nameChars,
                   uint32_t* type, uint8_t* data, uint32_t* dataBytes) override;
    long SetValue(vx::KeyHandle key, const char* name, uint32_t type, const uint8_t* data,
                  uint32_t bytes) override;
    long DeleteValue(vx::KeyHandle key, const char* name) override;
    long DeleteKey(const char* path) override;
    long CloseKey(vx::KeyHandle key) override;

    // Called before a Layout value is deleted, with the deletion's record.
    void OnLayoutDeletion(std::function<void(const LayoutDeletion&)> hook) {
        m_hook = std::move(hook);
    }

    const std::vector<std::string>& Enumerated() const { return m_enumerated; }
    const std::vector<LayoutDeletion>& LayoutDeletions() const { return m_deletions; }
    // Names of the Association keys that were deleted.
    const std::vector<std::string>& AssociationDeletions() const { return m_associations; }
    int ValueWrites() const { return m_valueWrites; }

  private:
    bool IsLayoutKey(vx::KeyHandle key) const;

    std::map<vx::KeyHandle, std::string> m_paths;
    std::vector<std::string> m_enumerated;
    std::vector<LayoutDeletion> m_deletions;
    std::vector<std::string> m_associations;
    std::function<void(const LayoutDeletion&)> m_hook;
    bool m_loadingEnded = false;
    int m_valueWrites = 0;
};

// Whether a path names a Layout key ("...\Vexaro\Layout"), and the entry
// name of an Association key path ("...\Vexaro\Association\NAME"; empty
// when the path is none). Letters compare without regard to case.
bool IsLayoutPath(const std::string& path);
std::string AssociationName(const std::string& path);

}  // namespace vexaro
