// A picture of the page in the look of the Windows 95 dialog: grey
// background, the template's warning text, icon and "&Reset" button, and
// the group boxes, check boxes and radio buttons made from the entries.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "PageDrawing.h"
#include "Snapshot.h"

namespace vexaro {

// Both write the file at path ("-": to out); false with a one-line reason
// on failure, and then a file that was there is as it was.
bool RenderSvg(const PageSnapshot& page, const std::string& path, std::ostream& out,
               std::string* error);
bool RenderPng(const PageSnapshot& page, const std::string& path, std::ostream& out,
               std::string* error);

// The SVG document with the lines of text added as <text> elements in the
// page's font; exposed for tests.
std::string AddSvgTexts(const std::string& svg, const std::vector<PlacedText>& texts,
                        double fontPixels);

}  // namespace vexaro
