// Property sheet pages through COMCTL32: a page object's description record
// becomes a PROPSHEETPAGEA whose dialog procedure routes the page window's
// messages to the page object.
#pragma once

#include "platform/Windowing.h"

namespace vx {

class Win32PropertySheets final : public IPropertySheets {
  public:
    VX_OVERRIDES(VX_PROPERTY_SHEET_METHODS)
};

}  // namespace vx
