// Draws the page onto a cairo context, one control at a time.
#pragma once

#include <cairo.h>

#include "Snapshot.h"

namespace vexaro {

void DrawPage(cairo_t* cr, const PageSnapshot& page);

}  // namespace vexaro
