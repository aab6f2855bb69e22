// The shell's own way of collecting the extension pages of a control panel
// sheet: shell32 creates every property sheet handler registered under
// <key>\shellex\PropertySheetHandlers and asks each for its pages.
#pragma once

#include <windows.h>
// The common controls need the definitions above.
#include <commctrl.h>

#include <vector>

#include "platform/UniqueHandle.h"

namespace displayhost {

// Where the Display control panel's handlers are registered (HKEY_LOCAL_MACHINE).
extern const wchar_t kDisplayControlsKey[];

// Page handles handed over by the handlers; destroys those that no sheet took.
class PageHandles : vx::Pinned {
  public:
    PageHandles() = default;
    ~PageHandles();

    // The add-page callback for the handlers; lParam is the PageHandles object.
    static BOOL CALLBACK Add(HPROPSHEETPAGE page, LPARAM lParam);

    void Append(HPROPSHEETPAGE page) { m_pages.push_back(page); }
    const std::vector<HPROPSHEETPAGE>& Pages() const { return m_pages; }
    size_t Count() const { return m_pages.size(); }
    // A sheet now owns the pages: they are no longer destroyed here.
    std::vector<HPROPSHEETPAGE> Release();
    // Destroys the pages that no sheet took.
    void DestroyAll();

  private:
    std::vector<HPROPSHEETPAGE> m_pages;
};

// shell32's property sheet extension array (SHCreatePropSheetExtArray and friends).
class PropSheetExtArray {
  public:
    // Loads up to maxHandlers handlers registered under root\subKey.
    PropSheetExtArray(HKEY root, const wchar_t* subKey, UINT maxHandlers);

    // False when shell32 lacks the calls or created no array.
    bool Valid() const { return m_array.valid(); }
    // SHAddFromPropSheetExtArray: the number of pages that the callback accepted.
    UINT AddPages(PageHandles* pages);
    // Destroys the array now (as the destructor would).
    void Destroy();

  private:
    // SHDestroyPropSheetExtArray.
    struct Destroyer {
        using Handle = void*;
        void operator()(void* array) const;
    };
    vx::UniqueHandle<Destroyer> m_array;
};

}  // namespace displayhost
