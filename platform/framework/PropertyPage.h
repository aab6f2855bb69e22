// The framework's property page: carries the page-description record from
// which a sheet creates the page's window, and routes the window's messages
// to the page's virtual operations. A backend's dialog procedure calls the
// Handle* entry points.
#pragma once

#include <cstdint>

#include "../Types.h"
#include "ModuleState.h"

namespace vx {

// The members of the page-description record (PROPSHEETPAGE) that the
// framework fills; the backend turns it into the platform's own record.
struct PageRecord {
    uint32_t dwSize;
    uint32_t dwFlags;
    InstanceHandle hInstance;
    uint32_t templateId;
    const char* pszTitle;
};

class CPropertyPageBase;

// One entry of a page's message map. A null handler means the message
// gets the default window processing only.
struct MessageMapEntry {
    uint32_t message;
    uint32_t code;  // notification code for WM_COMMAND
    uint32_t id;    // control id for WM_COMMAND
    void (CPropertyPageBase::*handler)();
};

class CPropertyPageBase : public CObject {
  public:
    explicit CPropertyPageBase(uint32_t templateId);
    ~CPropertyPageBase() override;
    const CRuntimeClass* GetRuntimeClass() const override;
    static CRuntimeClass classCPropertyPage;

    // Virtual operations, in the order of the framework's table.
    virtual int OnCommand(uintptr_t wParam, intptr_t lParam);
    virtual int OnNotify(uintptr_t wParam, NotifyHeader* header, intptr_t* result);
    virtual void DoDataExchange();
    virtual void BeginModalState();
    virtual void EndModalState();
    virtual int OnInitDialog();
    virtual int OnApply();
    virtual void OnReset();
    // The page's message map, ended by an entry whose message is 0.
    virtual const MessageMapEntry* GetMessageMap() const;
    // The page's window is being destroyed, and its child windows with it:
    // objects that hold a child's handle let go of it here.
    virtual void OnPageWindowDestroyed();

    // Tells the sheet that the page has unapplied changes.
    void SetModified();
    WindowHandle GetSafeHwnd() const { return m_hWnd; }
    WindowHandle GetDlgItem(int id) const;
    PageRecord& Record() { return m_psp; }
    const PageRecord& Record() const { return m_psp; }

    // Entry points for the backend's dialog procedure, each given the page
    // window that received the message.
    int HandleInitDialog(WindowHandle window);
    // Returns non-zero when the page handled the message; zero asks for the
    // default window processing. Only the page's current window reaches its
    // operations: an earlier window (another sheet showing the same page
    // object before the current showing replaced it) changes nothing. Its
    // sheet's OK or Apply is answered as a success that wrote nothing, its
    // Cancel as done, and everything else gets the default processing.
    int HandleMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                      intptr_t* result);
    // WM_DESTROY of one of the page's windows. The same page object may be
    // shown by several sheets at once, its latest window replacing the
    // earlier ones: only the destruction of that latest window releases
    // what the page holds of it; an earlier window's goes by.
    void HandleDestroy(WindowHandle window);

  private:
    int Dispatch(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t* result);
    static int AnswerEarlierWindow(uint32_t message, intptr_t lParam, intptr_t* result);
    // Runs the handler that the message map names; 0 when there is none.
    int DispatchMessageMap(uint32_t message, uint32_t code, uint32_t id);

    PageRecord m_psp;
    WindowHandle m_hWnd = nullptr;
};

}  // namespace vx
