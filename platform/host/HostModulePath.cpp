#include "HostModulePath.h"

#include "platform/framework/FrameworkString.h"

namespace vx {

int HostModulePath::BuildModulePath(InstanceHandle module, CString& path, const char* fileName) {
    std::string name = fileName != nullptr ? fileName : "";
    m_calls.push_back({module, name});
    path = m_resultPath ? m_resultPath->c_str() : (m_folder + name).c_str();
    return m_return;
}

}  // namespace vx
