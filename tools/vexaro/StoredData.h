// The driver's Layout and Association data as stored, read straight from
// the registry without the page's limits: every Layout value in the
// registry's enumeration order, and for each the Association values with
// their types.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Registry.h"

namespace vexaro {

struct StoredValue {
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

struct StoredEntry {
    std::string name;
    uint32_t type = 0;
    std::vector<uint8_t> caption;  // data as stored
    bool associationKey = false;
    std::map<std::string, StoredValue> association;  // by value name as the page asks for it
};

struct StoredLayout {
    bool layoutKey = false;
    std::vector<StoredEntry> entries;

    // Letters without regard to case; the first of that name. Entries are
    // found through an index of their names, made again whenever the list
    // has changed its size or place.
    const StoredEntry* Find(const std::string& name) const;

  private:
    mutable std::unordered_map<std::string, size_t> m_index;
    mutable const StoredEntry* m_indexedData = nullptr;
    mutable size_t m_indexedSize = 0;
};

// The Association value names that the page reads.
extern const char* const kAssociationValueNames[7];

StoredLayout ReadStoredLayout(vx::IRegistry& registry, const std::string& driverKeyPath);

// Whether a Layout value of that name is still stored.
bool LayoutValueExists(vx::IRegistry& registry, const std::string& driverKeyPath,
                       const std::string& name);
bool AssociationKeyExists(vx::IRegistry& registry, const std::string& driverKeyPath,
                          const std::string& name);

std::string LayoutPath(const std::string& driverKeyPath);
std::string AssociationPath(const std::string& driverKeyPath, const std::string& name);

}  // namespace vexaro
