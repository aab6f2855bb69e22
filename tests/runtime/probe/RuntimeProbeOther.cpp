// A static object of a second source file.
#include "RuntimeProbe.h"

namespace {
probe::Witness g_other("other");
}  // namespace
