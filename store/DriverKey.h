// The path of the current display driver's key, relative to
// HKEY_LOCAL_MACHINE; empty until resolved, never changed once set.
#pragma once

#include "platform/framework/FrameworkString.h"

namespace vx {

// Room of every registry text of the store, terminating zero included.
constexpr int kRegistryTextRoom = 256;

extern CString DriverKeyPath;

}  // namespace vx
