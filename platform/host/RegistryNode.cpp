#include "RegistryNode.h"

#include "platform/NoCase.h"

namespace vx {

namespace {

size_t LowBit(size_t i) {
    return i & (~i + 1);
}

}  // namespace

const std::vector<RegistryNode::Ptr>& RegistryNode::Subkeys() const {
    if (m_subkeyHoles > 0) {
        std::vector<Ptr> kept;
        kept.reserve(m_subkeys.size() - m_subkeyHoles);
        for (Ptr& subkey : m_subkeys) {
            if (subkey == nullptr) continue;
            m_subkeysByName[LowerCase(subkey->Name())] = kept.size();
            kept.push_back(std::move(subkey));
        }
        m_subkeys.swap(kept);
        m_subkeyHoles = 0;
    }
    return m_subkeys;
}

RegistryNode::Ptr RegistryNode::FindSubkey(const std::string& name) const {
    auto it = m_subkeysByName.find(LowerCase(name));
    return it != m_subkeysByName.end() ? m_subkeys[it->second] : nullptr;
}

RegistryNode::Ptr RegistryNode::AddSubkey(const std::string& name) {
    auto [it, added] = m_subkeysByName.emplace(LowerCase(name), m_subkeys.size());
    if (!added) return m_subkeys[it->second];
    m_subkeys.push_back(std::make_shared<RegistryNode>(name));
    return m_subkeys.back();
}

bool RegistryNode::RemoveSubkey(const std::string& name) {
    auto found = m_subkeysByName.find(LowerCase(name));
    if (found == m_subkeysByName.end()) return false;
    const size_t place = found->second;
    const Ptr subkey = std::move(m_subkeys[place]);
    m_subkeysByName.erase(found);
    if (place + 1 == m_subkeys.size()) {
        m_subkeys.pop_back();
    } else {
        ++m_subkeyHoles;  // closed at the next listing
        if (m_subkeyHoles * 2 > m_subkeys.size()) Subkeys();
    }
    subkey->MarkDeleted();
    return true;
}

void RegistryNode::Clear() {
    for (const Ptr& subkey : Subkeys()) subkey->MarkDeleted();
    m_subkeys.clear();
    m_subkeysByName.clear();
    m_values.clear();
    m_live.clear();
    m_counts.clear();
    m_liveValues = 0;
    m_valuesByName.clear();
}

void RegistryNode::MarkDeleted() {
    m_deleted = true;
    for (const Ptr& subkey : Subkeys()) subkey->MarkDeleted();
}

std::vector<RegistryValue> RegistryNode::Values() const {
    std::vector<RegistryValue> values;
    values.reserve(m_liveValues);
    ForEachValue([&](const RegistryValue& value) { values.push_back(value); });
    return values;
}

void RegistryNode::CountAdd(size_t slot, int delta) {
    for (size_t i = slot + 1; i < m_counts.size(); i += LowBit(i)) {
        m_counts[i] = static_cast<size_t>(static_cast<long>(m_counts[i]) + delta);
    }
}

size_t RegistryNode::LiveBefore(size_t end) const {
    size_t count = 0;
    for (size_t i = end; i > 0; i -= LowBit(i)) count += m_counts[i];
    return count;
}

const RegistryValue& RegistryNode::ValueAt(size_t index) const {
    if (m_liveValues == m_values.size()) return m_values[index];
    // The place whose live places before it, itself included, are index + 1.
    size_t place = 0;
    size_t left = index + 1;
    size_t step = 1;
    while (step * 2 < m_counts.size()) step *= 2;
    for (; step > 0; step /= 2) {
        if (place + step < m_counts.size() && m_counts[place + step] < left) {
            place += step;
            left -= m_counts[place];
        }
    }
    return m_values[place];
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
    m_live.push_back(true);
    ++m_liveValues;
    // The new place's count covers the places (i - LowBit(i), i].
    if (m_counts.empty()) m_counts.push_back(0);
    const size_t i = m_values.size();
    m_counts.push_back(1 + LiveBefore(i - 1) - LiveBefore(i - LowBit(i)));
}

bool RegistryNode::DeleteValue(const std::string& name) {
    auto it = m_valuesByName.find(LowerCase(name));
    if (it == m_valuesByName.end()) return false;
    const size_t place = it->second;
    m_valuesByName.erase(it);
    m_values[place] = RegistryValue{};
    m_live[place] = false;
    --m_liveValues;
    CountAdd(place, -1);
    if ((m_values.size() - m_liveValues) * 2 > m_values.size()) CloseValueHoles();
    return true;
}

void RegistryNode::CloseValueHoles() {
    std::vector<RegistryValue> kept;
    kept.reserve(m_liveValues);
    for (size_t slot = 0; slot < m_values.size(); ++slot) {
        if (!m_live[slot]) continue;
        m_valuesByName[LowerCase(m_values[slot].name)] = kept.size();
        kept.push_back(std::move(m_values[slot]));
    }
    m_values.swap(kept);
    m_live.assign(m_values.size(), true);
    // Every place live: place i counts LowBit(i) places.
    m_counts.assign(m_values.size() + 1, 0);
    for (size_t i = 1; i < m_counts.size(); ++i) m_counts[i] = LowBit(i);
}

}  // namespace vx
