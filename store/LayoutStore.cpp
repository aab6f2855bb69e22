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

CString LayoutPath() {
    return DriverKeyPath + kLayoutSuffix;
}

CString AssociationPath(const CString& entryName) {
    return DriverKeyPath + kAssociationSuffix + entryName;
}

}  // namespace

CLayoutStore::CLayoutStore() : m_nIndex(0), m_hKey(nullptr) {
    ResolveDriverKey();
}

int CLayoutStore::NextLayoutValue(CString& name, CString& data) {
    IRegistry* registry = Platform().registry;
    if (registry == nullptr) return 0;
    ScopedKey key(*registry, m_hKey);
    if (key.Open(LayoutPath(), kKeyRead) != kErrorSuccess) return 0;

    char nameBuffer[kRegistryTextRoom] = {};
    uint8_t dataBuffer[kRegistryTextRoom] = {};
    uint32_t nameChars = kRegistryTextRoom;
    uint32_t dataBytes = kRegistryTextRoom;
    uint32_t type = 0;
    if (registry->EnumValue(m_hKey, m_nIndex, nameBuffer, &nameChars, &type, dataBuffer,
                            &dataBytes) != kErrorSuccess) {
        return 0;
    }
    name = RegistryText(reinterpret_cast<const uint8_t*>(nameBuffer), kRegistryTextRoom);
    data = RegistryText(dataBuffer, dataBytes);
    ++m_nIndex;
    return 1;
}

int CLayoutStore::DeleteLayoutValue(const CString& name) {
    IRegistry* registry = Platform().registry;
    if (registry == nullptr) return 0;
    ScopedKey key(*registry, m_hKey);
    if (key.Open(LayoutPath(), kKeyRead) != kErrorSuccess) return 0;
    registry->DeleteValue(m_hKey, name);
    return 0;
}

int CLayoutStore::DeleteAssociation(const CString& name) {
    // Only the entry's own key may go. An empty name would name the
    // Association key itself, and a backslash would reach into or past
    // another key: such names delete nothing.
    if (name.IsEmpty() || std::strchr(name, '\\') != nullptr) return 0;
    IRegistry* registry = Platform().registry;
    if (registry == nullptr) return 0;
    return registry->DeleteKey(AssociationPath(name)) == kErrorSuccess ? 1 : 0;
}

int CLayoutStore::AssociationValue(const CString& entryName, const CString& valueName,
                                   CString& data, int readFlag) {
    IRegistry* registry = Platform().registry;
    if (registry == nullptr) return 0;
    ScopedKey key(*registry, m_hKey);
    if (key.Open(AssociationPath(entryName), kKeyRead) != kErrorSuccess) return 0;

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
    data = RegistryText(buffer, bytes);
    return 1;
}

}  // namespace vx
