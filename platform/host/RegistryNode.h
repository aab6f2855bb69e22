// One key of the host registry: its subkeys and its values, both kept in
// the order of their creation. Names compare without regard to case and
// keep the case they were created with.
//
// Every operation is cheap however many values or subkeys a key holds: a
// deleted value leaves a hole in the order of creation, and a tree of
// counts over the places (a Fenwick tree) finds the value at an
// enumeration index past the holes; a deleted subkey leaves a hole that
// the next listing of the subkeys closes. Holes are closed once they are
// as many as what is left, so the memory stays in proportion.
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

    // The subkeys in the order of their creation.
    const std::vector<Ptr>& Subkeys() const;
    Ptr FindSubkey(const std::string& name) const;
    // The existing subkey of that name, or a new one at the end.
    Ptr AddSubkey(const std::string& name);
    // Removes the subkey and marks it and everything under it deleted.
    bool RemoveSubkey(const std::string& name);
    // Marks this key's subkeys deleted and drops them and every value.
    void Clear();

    // The values in enumeration order (a copy).
    std::vector<RegistryValue> Values() const;
    size_t ValueCount() const { return m_liveValues; }
    // The value at an enumeration index below ValueCount().
    const RegistryValue& ValueAt(size_t index) const;
    // Calls f with each value in enumeration order.
    template <typename F>
    void ForEachValue(F f) const {
        for (size_t slot = 0; slot < m_values.size(); ++slot) {
            if (m_live[slot]) f(m_values[slot]);
        }
    }
    const RegistryValue* FindValue(const std::string& name) const;
    // Replaces the data of an existing value in place (its name keeps its
    // case and its position) or appends a new value.
    void SetValue(const std::string& name, uint32_t type, std::vector<uint8_t> data);
    // Removes a value; the values after it move up one place.
    bool DeleteValue(const std::string& name);

  private:
    void MarkDeleted();
    // Counts of live value places (1-based Fenwick tree over m_live).
    void CountAdd(size_t slot, int delta);
    size_t LiveBefore(size_t end) const;  // live places among the first `end`
    void CloseValueHoles();

    std::string m_name;
    bool m_deleted = false;
    // Subkeys in creation order; null where one was removed (until the
    // next listing closes the hole).
    mutable std::vector<Ptr> m_subkeys;
    mutable size_t m_subkeyHoles = 0;
    // The subkeys' places by their name in lower case, for finding one
    // without walking all of them.
    mutable std::unordered_map<std::string, size_t> m_subkeysByName;
    // Values in creation order, with holes where one was deleted.
    std::vector<RegistryValue> m_values;
    std::vector<bool> m_live;
    std::vector<size_t> m_counts;  // the Fenwick tree, m_counts[0] unused
    size_t m_liveValues = 0;
    // The values' places by their name in lower case.
    std::unordered_map<std::string, size_t> m_valuesByName;
};

}  // namespace vx
