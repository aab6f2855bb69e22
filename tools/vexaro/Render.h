// A picture of the page in the look of the Windows 95 dialog: grey
// background, the template's warning text, icon and "&Reset" button, and
// the group boxes, check boxes and radio buttons made from the entries.
#pragma once

#include <string>

#include "Snapshot.h"

namespace vexaro {

// Both write the file at path; false with a one-line reason on failure.
bool RenderSvg(const PageSnapshot& page, const std::string& path, std::string* error);
bool RenderPng(const PageSnapshot& page, const std::string& path, std::string* error);

}  // namespace vexaro
