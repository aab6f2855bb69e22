#include "Platform.h"

namespace vx {

PlatformServices& Platform() {
    static PlatformServices services;
    return services;
}

}  // namespace vx
