#include "ModuleState.h"

namespace vx {

namespace {
ModuleState g_moduleState = {nullptr, nullptr, nullptr, nullptr};

CRuntimeClass* NoBase() {
    return nullptr;
}
}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF,
                                       nullptr,   &NoBase,         nullptr};

const CRuntimeClass* CObject::GetRuntimeClass() const {
    return &classCObject;
}

ModuleState* AfxGetModuleState() {
    return &g_moduleState;
}

AfxClassInit::AfxClassInit(CRuntimeClass* runtimeClass) {
    ModuleState* state = AfxGetModuleState();
    runtimeClass->m_pNextClass = state->m_pClassListHead;
    state->m_pClassListHead = runtimeClass;
}

}  // namespace vx
