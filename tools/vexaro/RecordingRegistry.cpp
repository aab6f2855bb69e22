#include "RecordingRegistry.h"

#include "platform/NoCase.h"
#include "platform/WinConstants.h"

namespace vexaro {

namespace {

const std::string kLayoutSuffix = "\\vexaro\\layout";
const std::string kAssociationPart = "\\vexaro\\association\\";

}  // namespace

bool IsLayoutPath(const std::string& path) {
    std::string lower = vx::LowerCase(path);
    return lower.size() >= kLayoutSuffix.size() &&
           lower.compare(lower.size() - kLayoutSuffix.size(), kLayoutSuffix.size(),
                         kLayoutSuffix) == 0;
}

std::string AssociationName(const std::string& path) {
    size_t at = vx::LowerCase(path).rfind(kAssociationPart);
    if (at == std::string::npos) return "";
    return path.substr(at + kAssociationPart.size());
}

long RecordingRegistry::OpenKey(const char* path, uint32_t access, vx::KeyHandle* out) {
    long result = ForwardingPlatform::OpenKey(path, access, out);
    if (result == vx::kErrorSuccess && out != nullptr) m_paths[*out] = path ? path : "";
    return result;
}

long RecordingRegistry::EnumValue(vx::KeyHandle key, uint32_t index, char* name,
                                  uint32_t* nameChars, uint32_t* type, uint8_t* data,
                                  uint32_t* dataBytes) {
    long result = ForwardingPlatform::EnumValue(key, index, name, nameChars, type, data, dataBytes);
    if (IsLayoutKey(key)) {
        if (result == vx::kErrorSuccess) {
            m_enumerated.emplace_back(name);
        } else {
            m_loadingEnded = true;
        }
    }
    return result;
}

long RecordingRegistry::SetValue(vx::KeyHandle key, const char* name, uint32_t type,
                                 const uint8_t* data, uint32_t bytes) {
    ++m_valueWrites;
    return ForwardingPlatform::SetValue(key, name, type, data, bytes);
}

long RecordingRegistry::DeleteValue(vx::KeyHandle key, const char* name) {
    if (IsLayoutKey(key) && name != nullptr) {
        LayoutDeletion deletion;
        deletion.name = name;
        deletion.duringLoading = !m_loadingEnded;
        if (!m_enumerated.empty()) deletion.lastEnumerated = m_enumerated.back();
        if (m_hook) m_hook(deletion);
        m_deletions.push_back(deletion);
    }
    return ForwardingPlatform::DeleteValue(key, name);
}

long RecordingRegistry::DeleteKey(const char* path) {
    long result = ForwardingPlatform::DeleteKey(path);
    if (result == vx::kErrorSuccess && path != nullptr) {
        std::string name = AssociationName(path);
        if (!name.empty()) m_associations.push_back(name);
    }
    return result;
}

long RecordingRegistry::CloseKey(vx::KeyHandle key) {
    m_paths.erase(key);
    return ForwardingPlatform::CloseKey(key);
}

bool RecordingRegistry::IsLayoutKey(vx::KeyHandle key) const {
    auto it = m_paths.find(key);
    return it != m_paths.end() && IsLayoutPath(it->second);
}

}  // namespace vexaro
