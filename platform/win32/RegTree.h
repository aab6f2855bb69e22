// Deletes a registry key with everything below it: Windows NT and Wine
// refuse to delete a key that still has subkeys.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/WinHandles.h"

namespace vx {

// True when root\path is gone (or was never there); false when a key
// below it could not be deleted, which is then left with the rest.
inline bool DeleteRegTree(HKEY root, const std::string& path) {
    {
        const UniqueRegKey key = OpenRegKey(root, path.c_str());
        if (!key) return true;
        for (;;) {
            char name[MAX_PATH + 1];
            DWORD chars = sizeof name;
            // Always the first subkey: the one before it is gone by now.
            if (RegEnumKeyExA(key.get(), 0, name, &chars, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            if (!DeleteRegTree(root, path + "\\" + name)) return false;
        }
    }  // the key is closed before it is deleted
    return RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS || !OpenRegKey(root, path.c_str());
}

}  // namespace vx
