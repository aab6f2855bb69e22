// Draws the page onto a cairo context, one control at a time.
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

#include "Snapshot.h"

namespace vexaro {

// A line of text as it is placed on the page: its baseline's start, the
// rectangle it is clipped to, and its colour.
struct PlacedText {
    double x = 0, y = 0;
    std::string text;
    double clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;
    double red = 0, green = 0, blue = 0;
};

// With texts, every line of text is handed there instead of drawn, so that
// a picture format can keep it as text.
void DrawPage(cairo_t* cr, const PageSnapshot& page, std::vector<PlacedText>* texts = nullptr);

}  // namespace vexaro
