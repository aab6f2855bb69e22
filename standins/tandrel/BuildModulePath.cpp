// tandrel.dll: forms the path of a file that lies next to a module.
#include <windows.h>

#include <string>

#include "StringObject.h"

// Sets path to the folder of the module's file, a backslash and fileName.
// Returns 1, or 0 (path unchanged) when the module's file name cannot be had.
extern "C" int __stdcall BuildModulePath(HINSTANCE module, char** path, const char* fileName) {
    if (path == nullptr || fileName == nullptr) return 0;
    char moduleFile[MAX_PATH + 1];
    DWORD length = GetModuleFileNameA(module, moduleFile, sizeof(moduleFile));
    if (length == 0 || length >= sizeof(moduleFile)) return 0;
    std::string composed(moduleFile, length);
    std::string::size_type lastSeparator = composed.rfind('\\');
    if (lastSeparator == std::string::npos) return 0;
    composed.resize(lastSeparator + 1);
    composed += fileName;
    return standin::AssignString(path, composed.data(), static_cast<int>(composed.size()));
}
