#include "RegistryNode.h"

#include "platform/NoCase.h"

namespace vx {

RegistryNode::Ptr RegistryNode::FindSubkey(const std::string& name) const {
    auto it = m_subkeysByName.find(LowerCase(name));
    return it != m_subkeysByName.end() ? it->second : nullptr;
}

RegistryNode::Ptr RegistryNode::AddSubkey(const std::string& name) {
    Ptr& slot = m_subkeysByName[LowerCase(name)];
    if (slot != nullptr) return slot;
    slot = std::make_shared<RegistryNode>(name);
    m_subkeys.push_back(slot);
    return slot;
}

bool RegistryNode::RemoveSubkey(const std::string& name) {
    auto found = m_subkeysByName.find(LowerCase(name));
    if (found == m_subkeysByName.end()) return false;
    const Ptr subkey = found->second;
    m_subkeysByName.erase(found);
    for (auto it = m_subkeys.begin(); it != m_subkeys.end(); ++it) {
        if (*it == subkey) {
            m_subkeys.erase(it);
            break;
        }
    }
    subkey->MarkDeleted();
    return true;
}

void RegistryNode::Clear() {
    for (const Ptr& subkey : m_subkeys) subkey->MarkDeleted();
    m_subkeys.clear();
    m_subkeysByName.clear();
    m_values.clear();
    m_valuesByName.clear();
}

void RegistryNode::MarkDeleted() {
    m_deleted = true;
    for (const Ptr& subkey : m_subkeys) subkey->MarkDeleted();
}

const RegistryValue* RegistryNode::FindValue(const std::string& name) const {
    auto it = m_valuesByName.find(LowerCase(name));
    return it != m_valuesByName.end() ? &m_values[it->second] : nullptr;
}

void RegistryNode::SetValue(const std::string& name, uint32_t type, std::vector<uint8_t> data) {
    auto [it, added] = m_valuesByName.emplace(LowerCase(name), m_values.size());
    if (!added) {
        RegistryValue& value = m_values[it->second];
        value.type = type;
        value.data = std::move(data);
        return;
    }
    m_values.push_back({name, type, std::move(data)});
}

bool RegistryNode::DeleteValue(const std::string& name) {
    auto it = m_valuesByName.find(LowerCase(name));
    if (it == m_valuesByName.end()) return false;
    const size_t place = it->second;
    m_valuesByName.erase(it);
    m_values.erase(m_values.begin() + static_cast<long>(place));
    for (auto& entry : m_valuesByName) {
        if (entry.second > place) --entry.second;
    }
    return true;
}

}  // namespace vx
