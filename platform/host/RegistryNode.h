// One key of the host registry: its subkeys and its values, both kept in
// the order of their creation. Names compare without regard to case and
// keep the case they were created with.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vx {

struct RegistryValue {
    std::string name;  // empty for the default value
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

class RegistryNode {
  public:
    using Ptr = std::shared_ptr<RegistryNode>;

    explicit RegistryNode(std::string name) : m_name(std::move(name)) {}

    const std::string& Name() const { return m_name; }
    // A key that was deleted stays alive for the handles that still hold it.
    bool IsDeleted() const { return m_deleted; }

    const std::vector<Ptr>& Subkeys() const { return m_subkeys; }
    Ptr FindSubkey(const std::string& name) const;
    // The existing subkey of that name, or a new one at the end.
    Ptr AddSubkey(const std::string& name);
    // Removes the subkey and marks it and everything under it deleted.
    bool RemoveSubkey(const std::string& name);
    // Marks this key's subkeys deleted and drops them and every value.
    void Clear();

    const std::vector<RegistryValue>& Values() const { return m_values; }
    const RegistryValue* FindValue(const std::string& name) const;
    // Replaces the data of an existing value in place (its name keeps its
    // case and its position) or appends a new value.
    void SetValue(const std::string& name, uint32_t type, std::vector<uint8_t> data);
    // Removes a value; the values after it move up one place.
    bool DeleteValue(const std::string& name);

  private:
    void MarkDeleted();

    std::string m_name;
    bool m_deleted = false;
    std::vector<Ptr> m_subkeys;
    // The same subkeys by their name in lower case, for finding one without
    // walking all of them.
    std::unordered_map<std::string, Ptr> m_subkeysByName;
    std::vector<RegistryValue> m_values;
    // The same values' places by their name in lower case.
    std::unordered_map<std::string, size_t> m_valuesByName;
};

}  // namespace vx
