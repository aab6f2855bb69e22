// tandrel.dll: forms the path of a file that lies next to a module.
#include <windows.h>

#include <cstring>
#include <new>

#include "StringObject.h"

// Sets path to the folder of the module's file, a backslash and fileName.
// Returns 1, or 0 (path unchanged) when the module's file name cannot be had.
extern "C" int __stdcall BuildModulePath(HINSTANCE module, char** path, const char* fileName) {
    if (path == nullptr || fileName == nullptr) return 0;
    char moduleFile[MAX_PATH + 1];
    DWORD length = GetModuleFileNameA(module, moduleFile, sizeof(moduleFile));
    if (length == 0 || length >= sizeof(moduleFile)) return 0;
    // The folder ends at the last backslash.
    DWORD folder = length;
    while (folder > 0 && moduleFile[folder - 1] != '\\') --folder;
    if (folder == 0) return 0;
    const size_t nameLength = std::strlen(fileName);
    char* composed = new (std::nothrow) char[folder + nameLength];
    if (composed == nullptr) return 0;
    std::memcpy(composed, moduleFile, folder);
    std::memcpy(composed + folder, fileName, nameLength);
    const int result = standin::AssignString(path, composed, static_cast<int>(folder + nameLength));
    delete[] composed;
    return result;
}
