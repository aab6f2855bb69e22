// BuildModulePath of the help library on the host platform: forms the path
// of a file in the module's folder ("C:\WINDOWS\SYSTEM\" by default), or a
// path set outright, and keeps a record of every call.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Windowing.h"

namespace vx {

class HostModulePath final : public IModulePath {
  public:
    struct Call {
        InstanceHandle module;
        std::string fileName;
    };

    VX_OVERRIDES(VX_MODULE_PATH_METHODS)

    // The folder put in front of the file name; ends with a backslash.
    void SetModuleFolder(std::string folder) { m_folder = std::move(folder); }
    // A path given back whatever the file name; nullopt forms it again.
    void SetResultPath(std::optional<std::string> path) { m_resultPath = std::move(path); }
    void SetReturnValue(int result) { m_return = result; }

    const std::vector<Call>& Calls() const { return m_calls; }

  private:
    std::string m_folder = "C:\\WINDOWS\\SYSTEM\\";
    std::optional<std::string> m_resultPath;
    int m_return = 1;
    std::vector<Call> m_calls;
};

}  // namespace vx
