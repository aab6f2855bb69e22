// The framework's application object, with the start-up and exit steps that
// the module's attach and detach run.
#pragma once

#include "ModuleState.h"

namespace vx {

class CWinAppBase : public CObject {
  public:
    explicit CWinAppBase(const char* appName = nullptr);
    ~CWinAppBase() override;

    virtual int InitInstance();
    virtual int ExitInstance();

    const char* m_pszAppName;
    InstanceHandle m_hInstance = nullptr;
};

// Process attach: the framework initialises the module with its instance
// handle and runs the start-up step; a false start-up step runs the exit
// step and makes the attach fail (returns 0).
int AfxModuleAttach(InstanceHandle instance);
// Process detach: runs the exit step; returns its result.
int AfxModuleDetach();

}  // namespace vx
