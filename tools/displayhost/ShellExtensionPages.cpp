#include "ShellExtensionPages.h"

namespace displayhost {

const wchar_t kDisplayControlsKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Controls Folder\\Display";

namespace {

using CreateArrayFn = void*(WINAPI*)(HKEY, const wchar_t*, UINT);
using AddFromArrayFn = UINT(WINAPI*)(void*, LPFNADDPROPSHEETPAGE, LPARAM);
using DestroyArrayFn = void(WINAPI*)(void*);

struct Shell32Calls {
    CreateArrayFn create = nullptr;
    AddFromArrayFn add = nullptr;
    DestroyArrayFn destroy = nullptr;
};

// shell32 exports these by name on later systems and by ordinal only on older ones.
FARPROC Shell32Export(const char* name, WORD ordinal) {
    HMODULE shell32 = GetModuleHandleA("shell32.dll");
    if (!shell32) shell32 = LoadLibraryA("shell32.dll");  // stays loaded for the process
    if (!shell32) return nullptr;
    FARPROC proc = GetProcAddress(shell32, name);
    if (!proc) proc = GetProcAddress(shell32, MAKEINTRESOURCEA(ordinal));
    return proc;
}

const Shell32Calls& Calls() {
    static const Shell32Calls calls = [] {
        Shell32Calls c;
        c.add = reinterpret_cast<AddFromArrayFn>(
            reinterpret_cast<void*>(Shell32Export("SHAddFromPropSheetExtArray", 167)));
        c.create = reinterpret_cast<CreateArrayFn>(
            reinterpret_cast<void*>(Shell32Export("SHCreatePropSheetExtArray", 168)));
        c.destroy = reinterpret_cast<DestroyArrayFn>(
            reinterpret_cast<void*>(Shell32Export("SHDestroyPropSheetExtArray", 169)));
        return c;
    }();
    return calls;
}

}  // namespace

PageHandles::~PageHandles() {
    DestroyAll();
}

void PageHandles::DestroyAll() {
    for (HPROPSHEETPAGE page : m_pages) DestroyPropertySheetPage(page);
    m_pages.clear();
}

BOOL CALLBACK PageHandles::Add(HPROPSHEETPAGE page, LPARAM lParam) {
    auto* self = reinterpret_cast<PageHandles*>(lParam);
    if (!self || !page) return FALSE;
    self->Append(page);
    return TRUE;
}

std::vector<HPROPSHEETPAGE> PageHandles::Release() {
    std::vector<HPROPSHEETPAGE> pages;
    pages.swap(m_pages);
    return pages;
}

void PropSheetExtArray::Destroyer::operator()(void* array) const {
    Calls().destroy(array);
}

PropSheetExtArray::PropSheetExtArray(HKEY root, const wchar_t* subKey, UINT maxHandlers) {
    const Shell32Calls& calls = Calls();
    if (calls.create && calls.add && calls.destroy)
        m_array.reset(calls.create(root, subKey, maxHandlers));
}

void PropSheetExtArray::Destroy() {
    m_array.reset();
}

UINT PropSheetExtArray::AddPages(PageHandles* pages) {
    if (!m_array) return 0;
    return Calls().add(m_array.get(), &PageHandles::Add, reinterpret_cast<LPARAM>(pages));
}

}  // namespace displayhost
