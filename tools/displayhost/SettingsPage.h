// The sheet's own "Settings" page, a plain page built from an in-memory
// dialog template, so that the sheet looks like Display Properties.
#pragma once

#include <windows.h>
// The common controls need the definitions above.
#include <commctrl.h>

#include <vector>

namespace displayhost {

class SettingsPage {
  public:
    SettingsPage();
    SettingsPage(const SettingsPage&) = delete;
    SettingsPage& operator=(const SettingsPage&) = delete;

    // A new page handle; the sheet that receives it destroys it. The
    // template lives in this object, which must outlive the sheet.
    HPROPSHEETPAGE Create();

  private:
    std::vector<WORD> m_template;
};

}  // namespace displayhost
