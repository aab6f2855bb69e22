#include "HostRegistryApi.h"

#include <cstring>

#include "platform/WinConstants.h"

namespace vx {

namespace {

constexpr char kMachine[] = "HKEY_LOCAL_MACHINE";

// Copies data into a caller's buffer by the API's rule: without a buffer
// only the size is told; a buffer that is too small gets nothing and the
// size needed.
long CopyData(const std::vector<uint8_t>& source, uint8_t* data, uint32_t* dataBytes) {
    if (data != nullptr && dataBytes == nullptr) return kErrorInvalidParameter;
    if (dataBytes == nullptr) return kErrorSuccess;
    uint32_t capacity = *dataBytes;
    *dataBytes = static_cast<uint32_t>(source.size());
    if (data == nullptr) return kErrorSuccess;
    if (source.size() > capacity) return kErrorMoreData;
    if (!source.empty()) std::memcpy(data, source.data(), source.size());
    return kErrorSuccess;
}

std::string NameOf(const char* name) {
    return name != nullptr ? name : "";
}

}  // namespace

RegistryNode::Ptr HostRegistryApi::KeyOf(KeyHandle key, long* error) const {
    const uintptr_t handle = reinterpret_cast<uintptr_t>(key);
    const size_t slot = (handle >> 2) & ((uintptr_t{1} << kSlotBits) - 1);
    if (handle == 0 || slot >= m_slots.size() || m_slots[slot].handle != handle) {
        *error = kErrorInvalidHandle;
        return nullptr;
    }
    if (m_slots[slot].key->IsDeleted()) {
        *error = kErrorKeyDeleted;
        return nullptr;
    }
    return m_slots[slot].key;
}

long HostRegistryApi::OpenKey(const char* path, uint32_t /*access*/, KeyHandle* out) {
    if (out == nullptr) return kErrorInvalidParameter;
    *out = nullptr;
    const std::string text = NameOf(path);
    RegistryNode::Ptr key;
    auto found = m_found.find(text);
    if (found != m_found.end()) {
        key = found->second.lock();
        if (key != nullptr && key->IsDeleted()) key = nullptr;
    }
    if (key == nullptr) {
        std::vector<std::string> names;
        if (!SplitKeyPath(text, &names)) return kErrorBadPathname;
        key = FindKeyUnder(m_registry.Root(kMachine), names);
        if (key == nullptr) return kErrorFileNotFound;
        m_found[text] = key;
    }
    size_t slot;
    if (!m_freeSlots.empty()) {
        slot = m_freeSlots.back();
        m_freeSlots.pop_back();
    } else {
        if (m_slots.size() >> kSlotBits != 0) return kErrorNotEnoughMemory;
        slot = m_slots.size();
        m_slots.emplace_back();
    }
    const uintptr_t handle = (m_nextSerial++ << (kSlotBits + 2)) | (uintptr_t{slot} << 2);
    m_slots[slot].handle = handle;
    m_slots[slot].key = std::move(key);
    *out = reinterpret_cast<KeyHandle>(handle);
    return kErrorSuccess;
}

long HostRegistryApi::EnumValue(KeyHandle key, uint32_t index, char* name, uint32_t* nameChars,
                                uint32_t* type, uint8_t* data, uint32_t* dataBytes) {
    long error = kErrorSuccess;
    RegistryNode::Ptr node = KeyOf(key, &error);
    if (node == nullptr) return error;
    if (name == nullptr || nameChars == nullptr) return kErrorInvalidParameter;
    if (index >= node->ValueCount()) return kErrorNoMoreItems;
    const RegistryValue& value = node->ValueAt(index);
    if (value.name.size() + 1 > *nameChars) return kErrorMoreData;
    long result = CopyData(value.data, data, dataBytes);
    if (result != kErrorSuccess) return result;
    std::memcpy(name, value.name.c_str(), value.name.size() + 1);
    *nameChars = static_cast<uint32_t>(value.name.size());
    if (type != nullptr) *type = value.type;
    return kErrorSuccess;
}

long HostRegistryApi::QueryValue(KeyHandle key, const char* name, uint32_t* type, uint8_t* data,
                                 uint32_t* dataBytes) {
    long error = kErrorSuccess;
    RegistryNode::Ptr node = KeyOf(key, &error);
    if (node == nullptr) return error;
    const RegistryValue* value = node->FindValue(NameOf(name));
    if (value == nullptr) return kErrorFileNotFound;
    long result = CopyData(value->data, data, dataBytes);
    if (type != nullptr && (result == kErrorSuccess || result == kErrorMoreData)) {
        *type = value->type;
    }
    return result;
}

long HostRegistryApi::SetValue(KeyHandle key, const char* name, uint32_t type, const uint8_t* data,
                               uint32_t bytes) {
    long error = kErrorSuccess;
    RegistryNode::Ptr node = KeyOf(key, &error);
    if (node == nullptr) return error;
    if (data == nullptr && bytes != 0) return kErrorInvalidParameter;
    std::vector<uint8_t> copy;
    if (bytes != 0) copy.assign(data, data + bytes);
    node->SetValue(NameOf(name), type, std::move(copy));
    return kErrorSuccess;
}

long HostRegistryApi::DeleteValue(KeyHandle key, const char* name) {
    long error = kErrorSuccess;
    RegistryNode::Ptr node = KeyOf(key, &error);
    if (node == nullptr) return error;
    return node->DeleteValue(NameOf(name)) ? kErrorSuccess : kErrorFileNotFound;
}

long HostRegistryApi::DeleteKey(const char* path) {
    std::vector<std::string> names;
    if (!SplitKeyPath(NameOf(path), &names)) return kErrorBadPathname;
    if (names.empty()) return kErrorAccessDenied;  // the root key itself
    std::string last = names.back();
    names.pop_back();
    RegistryNode::Ptr parent = FindKeyUnder(m_registry.Root(kMachine), names);
    if (parent == nullptr || !parent->RemoveSubkey(last)) return kErrorFileNotFound;
    return kErrorSuccess;
}

long HostRegistryApi::CloseKey(KeyHandle key) {
    const uintptr_t handle = reinterpret_cast<uintptr_t>(key);
    const size_t slot = (handle >> 2) & ((uintptr_t{1} << kSlotBits) - 1);
    if (handle == 0 || slot >= m_slots.size() || m_slots[slot].handle != handle) {
        return kErrorInvalidHandle;
    }
    m_slots[slot] = Slot();
    m_freeSlots.push_back(slot);
    return kErrorSuccess;
}

}  // namespace vx
