// For tests that run on the host backend only: the host platform of the
// test that is running (the TestPlatform constructed last and still alive).
#pragma once

#include "platform/host/HostPlatform.h"
#include "platform/host/HostUi.h"

namespace vxtest {

vx::HostPlatform& HostServices();
// Its headless windows, property sheet and shell services.
vx::HostUi& HostUserInterface();

}  // namespace vxtest
