// The page's dialog font: 8-point "MS Sans Serif", 13 pixels high at 96
// dots per inch. Drawn with Wine's own font of that name, which has the
// same metrics, so that captions fill their rectangles as they do under
// Wine; where it is not installed, with a sans-serif font of about the
// same size.
#pragma once

#include <cairo.h>

#include <string>

namespace vexaro {

// The family the page's dialog template names.
constexpr const char* kDialogFontFamily = "MS Sans Serif";

struct DialogFont {
    cairo_font_face_t* face = nullptr;  // null: the toy face "sans-serif"
    double pixelSize = 0;
    std::string file;  // the font file used; empty for the substitute
};

// Loads the font once; later calls give the same one until ReleaseDialogFont.
const DialogFont& LoadDialogFont();
void ReleaseDialogFont();

// Selects the font on the context.
void UseDialogFont(cairo_t* cr);

}  // namespace vexaro
