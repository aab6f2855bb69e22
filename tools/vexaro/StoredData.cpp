#include "StoredData.h"

#include <algorithm>
#include <cctype>

#include "platform/NoCase.h"
#include "platform/WinConstants.h"

namespace vexaro {

namespace {

// Registry limits: value names of up to 16383 characters; data is asked
// for again with the size the registry reports when it does not fit.
constexpr uint32_t kNameRoom = 16384;

bool EnumOne(vx::IRegistry& registry, vx::KeyHandle key, uint32_t index, std::string* name,
             uint32_t* type, std::vector<uint8_t>* data) {
    std::vector<char> nameBuf(kNameRoom);
    data->assign(1024, 0);
    for (int attempt = 0; attempt < 8; ++attempt) {
        uint32_t nameChars = kNameRoom;
        uint32_t bytes = static_cast<uint32_t>(data->size());
        long r =
            registry.EnumValue(key, index, nameBuf.data(), &nameChars, type, data->data(), &bytes);
        if (r == vx::kErrorSuccess) {
            name->assign(nameBuf.data(), nameChars);
            data->resize(bytes);
            return true;
        }
        if (r != vx::kErrorMoreData) return false;
        data->assign(std::max<size_t>(data->size() * 4, bytes), 0);
    }
    return false;
}

bool QueryOne(vx::IRegistry& registry, vx::KeyHandle key, const char* name, StoredValue* out) {
    std::vector<uint8_t> data(1024);
    for (int attempt = 0; attempt < 8; ++attempt) {
        uint32_t bytes = static_cast<uint32_t>(data.size());
        long r = registry.QueryValue(key, name, &out->type, data.data(), &bytes);
        if (r == vx::kErrorSuccess) {
            data.resize(bytes);
            out->data = std::move(data);
            return true;
        }
        if (r != vx::kErrorMoreData) return false;
        data.assign(std::max<size_t>(data.size() * 4, bytes), 0);
    }
    return false;
}

}  // namespace

const char* const kAssociationValueNames[7] = {"INIFile", "Section", "KeyString", "Default",
                                               "AndMask", "OrMask",  "Action"};

const StoredEntry* StoredLayout::Find(const std::string& name) const {
    if (m_indexedData != entries.data() || m_indexedSize != entries.size() ||
        (m_index.empty() && !entries.empty())) {
        m_index.clear();
        for (size_t i = 0; i < entries.size(); ++i)
            m_index.emplace(vx::LowerCase(entries[i].name), i);
        m_indexedData = entries.data();
        m_indexedSize = entries.size();
    }
    auto it = m_index.find(vx::LowerCase(name));
    return it != m_index.end() ? &entries[it->second] : nullptr;
}

std::string LayoutPath(const std::string& driverKeyPath) {
    return driverKeyPath + "\\Vexaro\\Layout";
}

std::string AssociationPath(const std::string& driverKeyPath, const std::string& name) {
    return driverKeyPath + "\\Vexaro\\Association\\" + name;
}

StoredLayout ReadStoredLayout(vx::IRegistry& registry, const std::string& driverKeyPath) {
    StoredLayout layout;
    {
        vx::ScopedKey key(registry);
        if (key.Open(LayoutPath(driverKeyPath).c_str(), vx::kKeyRead) != vx::kErrorSuccess) {
            return layout;
        }
        layout.layoutKey = true;
        StoredEntry entry;
        for (uint32_t i = 0;
             EnumOne(registry, key.get(), i, &entry.name, &entry.type, &entry.caption); ++i) {
            layout.entries.push_back(entry);
        }
    }
    for (StoredEntry& entry : layout.entries) {
        vx::ScopedKey key(registry);
        if (key.Open(AssociationPath(driverKeyPath, entry.name).c_str(), vx::kKeyRead) !=
            vx::kErrorSuccess) {
            continue;
        }
        entry.associationKey = true;
        for (const char* valueName : kAssociationValueNames) {
            StoredValue value;
            if (QueryOne(registry, key.get(), valueName, &value)) {
                entry.association[valueName] = value;
            }
        }
    }
    return layout;
}

bool LayoutValueExists(vx::IRegistry& registry, const std::string& driverKeyPath,
                       const std::string& name) {
    vx::ScopedKey key(registry);
    if (key.Open(LayoutPath(driverKeyPath).c_str(), vx::kKeyRead) != vx::kErrorSuccess) {
        return false;
    }
    StoredValue value;
    return QueryOne(registry, key.get(), name.c_str(), &value);
}

bool AssociationKeyExists(vx::IRegistry& registry, const std::string& driverKeyPath,
                          const std::string& name) {
    vx::ScopedKey key(registry);
    return key.Open(AssociationPath(driverKeyPath, name).c_str(), vx::kKeyRead) ==
           vx::kErrorSuccess;
}

}  // namespace vexaro
