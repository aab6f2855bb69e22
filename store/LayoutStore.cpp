// The Layout and Association operations of the store. Each one composes its
// path afresh, opens its key, does one thing and closes the key again.
#include "store/LayoutStore.h"

#include <cstring>

#include "platform/Platform.h"
#include "platform/WinConstants.h"
#include "store/DriverKey.h"
#include "store/RegistryText.h"

namespace vx {

namespace {

const char kLayoutSuffix[] = "\\Vexaro\\Layout";
const char kAssociationSuffix[] = "\\Vexaro\\Association\\";

}  // namespace

int CLayoutStore::ComposePath(CString& path, const char* suffix, const char* name) {
    if (name == nullptr) name = "";
    const size_t parts[] = {static_cast<size_t>(DriverKeyPath.GetLength()), std::strlen(suffix),
                            std::strlen(name)};
    const size_t length = parts[0] + parts[1] + parts[2];
    char* buffer = length <= 0x7FFFFFF0 ? path.GetBuffer(static_cast<int>(length)) : nullptr;
    if (buffer == nullptr) {
        m_bOutOfMemory = 1;
        return 0;
    }
    std::memcpy(buffer, DriverKeyPath.c_str(), parts[0]);
    std::memcpy(buffer + parts[0], suffix, parts[1]);
    std::memcpy(buffer + parts[0] + parts[1], name, parts[2]);
    path.ReleaseBuffer(static_cast<int>(length));
    return 1;
}

int CLayoutStore::TakeText(CString& text, const uint8_t* data, uint32_t bytes) {
    const int length = RegistryTextLength(data, bytes);
    char* buffer = text.GetBuffer(length);
    if (buffer == nullptr) {
        m_bOutOfMemory = 1;
        return 0;
    }
    std::memcpy(buffer, data, static_cast<size_t>(length));
    text.ReleaseBuffer(length);
    return 1;
}

CLayoutStore::CLayoutStore() : m_nIndex(0), m_hKey(nullptr) {
    ResolveDriverKey();
}

int CLayoutStore::NextLayoutValue(CString& name, CString& data) {
    IRegistry* registry = Platform().registry;
    if (registry == nullptr) return 0;
    CString path;
    if (!ComposePath(path, kLayoutSuffix)) return 0;
    ScopedKey key(*registry, m_hKey);
    if (key.Open(path, kKeyRead) != kErrorSuccess) return 0;

    char nameBuffer[kRegistryTextRoom] = {};
    uint8_t dataBuffer[kRegistryTextRoom] = {};
    uint32_t nameChars = kRegistryTextRoom;
    uint32_t dataBytes = kRegistryTextRoom;
    uint32_t type = 0;
    if (registry->EnumValue(m_hKey, m_nIndex, nameBuffer, &nameChars, &type, dataBuffer,
                            &dataBytes) != kErrorSuccess) {
        return 0;
    }
    if (!TakeText(name, reinterpret_cast<const uint8_t*>(nameBuffer), kRegistryTextRoom) ||
        !TakeText(data, dataBuffer, dataBytes)) {
        return 0;
    }
    ++m_nIndex;
    return 1;
}

int CLayoutStore::DeleteLayoutValue(const char* name) {
    IRegistry* registry = Platform().registry;
    if (registry == nullptr || name == nullptr) return 0;
    CString path;
    if (!ComposePath(path, kLayoutSuffix)) return 0;
    ScopedKey key(*registry, m_hKey);
    if (key.Open(path, kKeyRead) != kErrorSuccess) return 0;
    registry->DeleteValue(m_hKey, name);
    return 0;
}

int CLayoutStore::DeleteAssociation(const char* name) {
    // Only the entry's own key may go. An empty name would name the
    // Association key itself, and a backslash would reach into or past
    // another key: such names delete nothing.
    if (name == nullptr || *name == '\0' || std::strchr(name, '\\') != nullptr) return 0;
    IRegistry* registry = Platform().registry;
    if (registry == nullptr) return 0;
    CString path;
    if (!ComposePath(path, kAssociationSuffix, name)) return 0;
    return registry->DeleteKey(path) == kErrorSuccess ? 1 : 0;
}

int CLayoutStore::AssociationValue(const char* entryName, const char* valueName, CString& data,
                                   int readFlag) {
    IRegistry* registry = Platform().registry;
    if (registry == nullptr) return 0;
    CString path;
    if (!ComposePath(path, kAssociationSuffix, entryName)) return 0;
    ScopedKey key(*registry, m_hKey);
    if (key.Open(path, kKeyRead) != kErrorSuccess) return 0;

    if (readFlag == 0) {
        registry->SetValue(m_hKey, valueName, kRegSz,
                           reinterpret_cast<const uint8_t*>(data.c_str()),
                           static_cast<uint32_t>(data.GetLength()) + 1);
        return 1;
    }

    uint8_t buffer[kRegistryTextRoom] = {};
    uint32_t bytes = kRegistryTextRoom;
    uint32_t type = 0;
    if (registry->QueryValue(m_hKey, valueName, &type, buffer, &bytes) != kErrorSuccess) return 0;
    return TakeText(data, buffer, bytes);
}

}  // namespace vx
