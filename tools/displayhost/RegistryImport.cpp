#include "RegistryImport.h"

#include <windows.h>

#include <vector>

#include "platform/win32/WinHandles.h"

namespace displayhost {

bool ImportRegistryFile(const std::string& file) {
    std::string command = "regedit.exe /S \"" + file + "\"";
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    const vx::UniqueKernelHandle thread(process.hThread);
    const vx::UniqueKernelHandle child(process.hProcess);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    return code == 0;
}

}  // namespace displayhost
