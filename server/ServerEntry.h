// The logic of the module's two exported entry points.
#pragma once

#include "ComTypes.h"

namespace vx {

// Hands out a new class factory for the extension's class.
HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv);
// S_OK when no factory and no extension object is alive, S_FALSE otherwise.
HRESULT DllCanUnloadNow();

}  // namespace vx
