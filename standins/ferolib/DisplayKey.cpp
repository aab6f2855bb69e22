#include "DisplayKey.h"

#include <windows.h>

#include "platform/win32/WinHandles.h"

namespace standin {

int ReadCurrentDisplayKey(char* buffer, unsigned long capacity) {
    if (buffer == nullptr || capacity == 0) return 0;
    const vx::UniqueRegKey key = vx::OpenRegKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Corvane\\Lumetra");
    if (!key) return 0;
    DWORD type = 0;
    DWORD size = capacity - 1;  // keeps room for a closing zero
    LONG result = RegQueryValueExA(key.get(), "CurrentDisplayKey", nullptr, &type,
                                   reinterpret_cast<BYTE*>(buffer), &size);
    if (result != ERROR_SUCCESS) return 0;
    buffer[size < capacity ? size : capacity - 1] = '\0';
    return 1;
}

}  // namespace standin
