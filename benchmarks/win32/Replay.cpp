#include "Replay.h"

namespace vxbench {

namespace {

constexpr UINT kPageRecordSize = 40;  // PROPSHEETPAGEA of the Windows 95 shell
constexpr DWORD kUnsupportedFlags =
    PSP_DLGINDIRECT | PSP_USECALLBACK | PSP_USEHICON | PSP_USEICONID | PSP_USEREFPARENT;
constexpr DWORD kRoom = 256;

template <typename T>
T At(const std::vector<T>& table, int slot) {
    return slot >= 0 && static_cast<size_t>(slot) < table.size() ? table[slot] : T{};
}

template <typename T>
void Put(std::vector<T>& table, int slot, T value) {
    if (slot >= 0 && static_cast<size_t>(slot) < table.size()) table[slot] = value;
}

}  // namespace

Replay::Replay(const CallLog& log, DLGPROC pageProc, LPARAM pageParam)
    : m_log(log),
      m_pageProc(pageProc),
      m_pageParam(pageParam),
      m_keys(log.keySlots),
      m_windows(log.windowSlots),
      m_fonts(log.fontSlots),
      m_pages(log.pageSlots) {}

void Replay::BindOutsideWindows(HWND window) {
    for (int slot : m_log.outsideWindows) Put(m_windows, slot, window);
}

void Replay::Run(size_t begin, size_t end) {
    for (size_t i = begin; i < end && i < m_log.calls.size(); ++i) Make(m_log.calls[i]);
}

void Replay::Make(const Call& c) {
    switch (c.op) {
        case Op::kOpenKey: {
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, c.s1.Get(), 0, c.u1, &key) == ERROR_SUCCESS) {
                Put(m_keys, c.resultSlot, key);
            }
            break;
        }
        case Op::kEnumValue: {
            char name[kRoom];
            BYTE data[kRoom];
            DWORD nameChars = c.u2 < kRoom ? c.u2 : kRoom;
            DWORD dataBytes = c.u3 < kRoom ? c.u3 : kRoom;
            DWORD type = 0;
            RegEnumValueA(At(m_keys, c.keySlot), c.u1, name, &nameChars, nullptr, &type, data,
                          &dataBytes);
            break;
        }
        case Op::kQueryValue: {
            BYTE data[kRoom];
            DWORD dataBytes = c.u3 < kRoom ? c.u3 : kRoom;
            DWORD type = 0;
            RegQueryValueExA(At(m_keys, c.keySlot), c.s1.Get(), nullptr, &type, data, &dataBytes);
            break;
        }
        case Op::kSetValue:
            RegSetValueExA(At(m_keys, c.keySlot), c.s1.Get(), 0, c.u1, c.data.data(),
                           static_cast<DWORD>(c.data.size()));
            break;
        case Op::kDeleteValue:
            RegDeleteValueA(At(m_keys, c.keySlot), c.s1.Get());
            break;
        case Op::kDeleteKey:
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, c.s1.Get());
            break;
        case Op::kCloseKey:
            RegCloseKey(At(m_keys, c.keySlot));
            break;
        case Op::kGetInt:
            GetPrivateProfileIntA(c.s1.Get(), c.s2.Get(), c.i1, c.s4.Get());
            break;
        case Op::kWriteString:
            WritePrivateProfileStringA(c.s1.Get(), c.s2.Get(), c.s3.Get(), c.s4.Get());
            break;
        case Op::kCreateButton: {
            HWND w = CreateWindowExA(0, "BUTTON", c.s1.Get(), c.u1, c.rect.left, c.rect.top,
                                     c.rect.right - c.rect.left, c.rect.bottom - c.rect.top,
                                     At(m_windows, c.windowSlot),
                                     reinterpret_cast<HMENU>(static_cast<intptr_t>(c.i1)),
                                     reinterpret_cast<HINSTANCE>(c.module), nullptr);
            Put(m_windows, c.resultSlot, w);
            break;
        }
        case Op::kDestroyWindow:
            DestroyWindow(At(m_windows, c.windowSlot));
            break;
        case Op::kSend: {
            const WPARAM wParam = c.wParamSlot != kNoSlot
                                      ? static_cast<WPARAM>(At(m_fonts, c.wParamSlot))
                                      : static_cast<WPARAM>(c.wParam);
            const LRESULT result =
                SendMessageA(At(m_windows, c.windowSlot), c.u1, wParam, c.lParam);
            Put(m_fonts, c.resultSlot, result);
            break;
        }
        case Op::kGetWindowRect: {
            RECT r;
            GetWindowRect(At(m_windows, c.windowSlot), &r);
            break;
        }
        case Op::kGetDlgItem:
            Put(m_windows, c.resultSlot, GetDlgItem(At(m_windows, c.windowSlot), c.i1));
            break;
        case Op::kEnableWindow:
            EnableWindow(At(m_windows, c.windowSlot), static_cast<BOOL>(c.u1));
            break;
        case Op::kCreatePage: {
            PROPSHEETPAGEA page{};
            page.dwSize = kPageRecordSize;
            page.dwFlags = c.u1 & ~kUnsupportedFlags;
            if (!c.s1.present) page.dwFlags &= ~PSP_USETITLE;
            page.hInstance = reinterpret_cast<HINSTANCE>(c.module);
            page.pszTemplate = MAKEINTRESOURCEA(c.u2);
            page.pszTitle = c.s1.Get();
            page.pfnDlgProc = m_pageProc;
            page.lParam = m_pageParam;
            Put(m_pages, c.resultSlot, CreatePropertySheetPageA(&page));
            break;
        }
        case Op::kDestroyPage:
            DestroyPropertySheetPage(At(m_pages, c.resultSlot));
            break;
        case Op::kMarkModified: {
            HWND w = At(m_windows, c.windowSlot);
            SendMessageA(GetParent(w), PSM_CHANGED, reinterpret_cast<WPARAM>(w), 0);
            break;
        }
        case Op::kGetSystemMetrics:
            GetSystemMetrics(static_cast<int>(c.u1));
            break;
        case Op::kGetKeyState:
            GetKeyState(static_cast<int>(c.u1));
            break;
        case Op::kDebugWrite:
            OutputDebugStringA(c.s1.Get());
            break;
    }
}

}  // namespace vxbench
