// The framework's per-module record, its runtime-class records and the
// module's list of classes.
#pragma once

#include <cstdint>

#include "../Types.h"

namespace vx {

class CObject;
class CWinAppBase;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    uint32_t m_wSchema;
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* (*m_pfnGetBaseClass)();
    CRuntimeClass* m_pNextClass;

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};

struct ModuleState {
    CWinAppBase* m_pCurrentWinApp;
    InstanceHandle m_hCurrentInstanceHandle;
    InstanceHandle m_hCurrentResourceHandle;
    CRuntimeClass* m_pClassListHead;
};

// The record of this module. Plain data, set up before any constructor runs.
ModuleState* AfxGetModuleState();

// A static object of this type enters a runtime-class record in the
// module's list of classes when it is constructed.
struct AfxClassInit {
    explicit AfxClassInit(CRuntimeClass* runtimeClass);
};

// Root of the framework's classes: its first virtual operation gives the
// object's runtime-class record.
class CObject {
  public:
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    static CRuntimeClass classCObject;
};

}  // namespace vx
