#include "Trace.h"

#include "platform/Platform.h"

namespace vx {

void Trace(const char* line) {
    if (IDebugOutput* debug = Platform().debug) debug->Write(line);
}

}  // namespace vx
