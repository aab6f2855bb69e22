#include "platform/host/HostPropertySheets.h"

#include "platform/WinConstants.h"
#include "platform/host/HostPageTemplate.h"
#include "platform/host/HostWindowing.h"
#include "platform/host/ProfileCache.h"

namespace vx {

namespace {

constexpr uint32_t kSheetStyle = 0x94C800C4;  // WS_POPUP WS_VISIBLE WS_CAPTION WS_SYSMENU DS_...
constexpr int32_t kSheetWidth = 402;
constexpr int32_t kSheetHeight = 440;
constexpr intptr_t kPsnRetNoError = 0;
// The font of the template, 8-point "MS Sans Serif": an odd number, so
// that it is never taken for a window handle.
const FontHandle kPageFont = reinterpret_cast<FontHandle>(uintptr_t{0xF0107});

}  // namespace

HostPropertySheets::HostPropertySheets(HostWindowing& windows) : m_windows(windows) {}

HostPropertySheets::~HostPropertySheets() {
    ClosePage();
}

PageHandle HostPropertySheets::CreatePage(CPropertyPageBase& page) {
    if (m_createFails) return nullptr;
    m_pages.push_back(std::make_unique<CreatedPage>(CreatedPage{&page, page.Record(), false}));
    return reinterpret_cast<PageHandle>(m_pages.back().get());
}

const HostPropertySheets::CreatedPage* HostPropertySheets::Created(PageHandle page) const {
    for (const auto& p : m_pages) {
        if (reinterpret_cast<PageHandle>(p.get()) == page) return p.get();
    }
    return nullptr;
}

int HostPropertySheets::DestroyPage(PageHandle page) {
    CreatedPage* created = const_cast<CreatedPage*>(Created(page));
    if (created == nullptr || created->destroyed) return 0;
    created->destroyed = true;
    return 1;
}

int HostPropertySheets::DestroyedCount() const {
    int n = 0;
    for (const auto& p : m_pages) n += p->destroyed ? 1 : 0;
    return n;
}

void HostPropertySheets::MarkModified(WindowHandle pageWindow) {
    ++m_modifiedMarks;
    for (OpenSheet& open : m_open) {
        if (pageWindow != nullptr && open.pageWindow == pageWindow) open.modified = true;
    }
}

FontHandle HostPropertySheets::PageFont() const {
    return kPageFont;
}

WindowHandle HostPropertySheets::ShowPage(PageHandle page) {
    ClosePage();
    return ShowInAnotherSheet(page);
}

WindowHandle HostPropertySheets::ShowInAnotherSheet(PageHandle page) {
    const CreatedPage* created = Created(page);
    if (created == nullptr || created->destroyed) return nullptr;
    const Rect sheetRect{kSheetX, kSheetY, kSheetX + kSheetWidth, kSheetY + kSheetHeight};
    OpenSheet open{created->page, nullptr, nullptr, 0, false};
    open.sheet = m_windows.Create("#32770", "Display Properties", kSheetStyle, sheetRect, nullptr,
                                  0, nullptr);
    open.pageWindow = CreatePageFromTemplate(m_windows, open.sheet, kPageX, kPageY, kPageFont,
                                             created->record.hInstance);
    m_open.push_back(open);
    // The page may mark itself modified while it initialises.
    const int result = open.page->HandleInitDialog(open.pageWindow);
    m_open.back().initResult = result;
    return open.pageWindow;
}

void HostPropertySheets::Close(size_t index) {
    const OpenSheet open = m_open[index];
    m_open.erase(m_open.begin() + static_cast<std::ptrdiff_t>(index));
    m_windows.DestroyWindow(open.pageWindow);  // the page's controls go with it
    open.page->HandleDestroy(open.pageWindow);
    m_windows.DestroyWindow(open.sheet);
}

void HostPropertySheets::ClosePage() {
    while (!m_open.empty()) Close(0);
}

int HostPropertySheets::CloseSheet(WindowHandle pageWindow) {
    for (size_t i = 0; i < m_open.size(); ++i) {
        if (m_open[i].pageWindow != pageWindow) continue;
        Close(i);
        return 1;
    }
    return 0;
}

size_t HostPropertySheets::IndexOf(WindowHandle pageWindow) const {
    size_t i = 0;
    while (i < m_open.size() && (pageWindow == nullptr || m_open[i].pageWindow != pageWindow)) ++i;
    return i;
}

bool HostPropertySheets::IsModifiedIn(WindowHandle pageWindow) const {
    const size_t index = IndexOf(pageWindow);
    return index < m_open.size() && m_open[index].modified;
}

intptr_t HostPropertySheets::SendTo(size_t index, uint32_t message, uintptr_t wParam,
                                    intptr_t lParam, int* handled) {
    intptr_t result = 0;
    int done = 0;
    if (index < m_open.size()) {
        const OpenSheet& open = m_open[index];
        done = open.page->HandleMessage(open.pageWindow, message, wParam, lParam, &result);
    }
    if (handled != nullptr) *handled = done;
    return result;
}

intptr_t HostPropertySheets::SendToPage(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                        int* handled) {
    return SendTo(m_open.size() - 1, message, wParam, lParam, handled);
}

void HostPropertySheets::SelectRadio(WindowHandle page, WindowHandle radio) {
    // The group runs from the nearest control at or before the radio button
    // that has WS_GROUP up to the next control that has it.
    const std::vector<const HostWindow*> controls = m_windows.Children(page);
    size_t at = 0;
    while (at < controls.size() && controls[at]->handle != radio) ++at;
    size_t first = at;
    while (first > 0 && (controls[first]->style & kWsGroup) == 0) --first;
    size_t end = at + 1;
    while (end < controls.size() && (controls[end]->style & kWsGroup) == 0) ++end;
    for (size_t i = first; i < end; ++i) {
        const HostWindow* w = controls[i];
        if (w->handle != radio && w->className == "Button" &&
            (w->style & HostButtonType::kMask) == HostButtonType::kAutoRadioButton) {
            m_windows.Send(w->handle, kBmSetCheck, 0, 0);
        }
    }
    m_windows.Send(radio, kBmSetCheck, 1, 0);
}

int HostPropertySheets::Click(int controlId) {
    return ClickAt(m_open.size() - 1, controlId);
}

int HostPropertySheets::ClickIn(WindowHandle pageWindow, int controlId) {
    return ClickAt(IndexOf(pageWindow), controlId);
}

int HostPropertySheets::ClickAt(size_t index, int controlId) {
    if (index >= m_open.size()) return 0;
    const WindowHandle pageWindow = m_open[index].pageWindow;
    const HostWindow* control = m_windows.Child(pageWindow, controlId);
    if (control == nullptr || !control->enabled || control->className != "Button") return 0;
    const uint32_t type = control->style & HostButtonType::kMask;
    if (type == HostButtonType::kGroupBox) return 0;
    if (type == HostButtonType::kAutoCheckBox) {
        m_windows.Send(control->handle, kBmSetCheck, control->check == 0 ? 1 : 0, 0);
    } else if (type == HostButtonType::kAuto3State) {
        m_windows.Send(control->handle, kBmSetCheck, (control->check + 1) % 3, 0);
    } else if (type == HostButtonType::kAutoRadioButton) {
        SelectRadio(pageWindow, control->handle);
    }
    const uintptr_t command = (uintptr_t{kBnClicked} << 16) | static_cast<uint16_t>(controlId);
    SendTo(index, kWmCommand, command, reinterpret_cast<intptr_t>(control->handle));
    return 1;
}

intptr_t HostPropertySheets::Notify(size_t index, uint32_t code) {
    if (index >= m_open.size()) return 0;
    NotifyHeader header{m_open[index].sheet, 0, code};
    return SendTo(index, kWmNotify, 0, reinterpret_cast<intptr_t>(&header));
}

intptr_t HostPropertySheets::PressApply() {
    return ApplyAt(Current());
}

intptr_t HostPropertySheets::PressApplyIn(WindowHandle pageWindow) {
    return ApplyAt(IndexOf(pageWindow));
}

intptr_t HostPropertySheets::ApplyAt(size_t index) {
    if (index >= m_open.size()) return 0;
    const intptr_t result = Notify(index, kPsnApply);
    // The end of the page's Apply: its INI writes reach the disk now.
    WriteBackProfileFiles();
    // A successful apply clears the mark of the sheet that applied.
    if (result == kPsnRetNoError) m_open[index].modified = false;
    return result;
}

void HostPropertySheets::PressCancel() {
    CancelAt(Current());
}

void HostPropertySheets::PressCancelIn(WindowHandle pageWindow) {
    CancelAt(IndexOf(pageWindow));
}

void HostPropertySheets::CancelAt(size_t index) {
    if (index >= m_open.size()) return;
    Notify(index, kPsnReset);
    Close(index);
}

void HostPropertySheets::PressHelp() {
    Notify(m_open.size() - 1, kPsnHelp);
}

}  // namespace vx
