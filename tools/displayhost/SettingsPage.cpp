#include "SettingsPage.h"

#include <string>

namespace displayhost {

namespace {

class TemplateWriter {
  public:
    explicit TemplateWriter(std::vector<WORD>* words) : m_words(words) {}

    void Word(WORD w) { m_words->push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const wchar_t* text) {
        for (; *text; ++text) Word(static_cast<WORD>(*text));
        Word(0);
    }
    void AlignDword() {
        if (m_words->size() % 2) Word(0);
    }

    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom,
              const wchar_t* text) {
        AlignDword();
        Dword(style);
        Dword(0);  // extended style
        Word(static_cast<WORD>(x));
        Word(static_cast<WORD>(y));
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(id);
        Word(0xFFFF);
        Word(atom);
        Text(text);
        Word(0);  // no creation data
    }

  private:
    std::vector<WORD>* m_words;
};

constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kStaticAtom = 0x0082;

INT_PTR CALLBACK SettingsProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

}  // namespace

SettingsPage::SettingsPage() {
    TemplateWriter t(&m_template);
    constexpr WORD kItems = 5;
    t.Dword(DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION);
    t.Dword(0);
    t.Word(kItems);
    t.Word(0);
    t.Word(0);
    t.Word(249);
    t.Word(223);
    t.Word(0);  // no menu
    t.Word(0);  // standard class
    t.Text(L"Settings");
    t.Word(8);
    t.Text(L"MS Sans Serif");

    t.Item(WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 7, 7, 235, 60, 0xFFFF, kButtonAtom, L"Display");
    t.Item(WS_CHILD | WS_VISIBLE | SS_LEFT, 15, 22, 220, 10, 0xFFFF, kStaticAtom,
           L"Vexaro display adapter on Plug and Play monitor");
    t.Item(WS_CHILD | WS_VISIBLE | SS_LEFT, 15, 38, 220, 20, 0xFFFF, kStaticAtom,
           L"Hold Ctrl while opening Display Properties to see the Vexaro page.");
    t.Item(WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 7, 75, 235, 40, 0xFFFF, kButtonAtom,
           L"Desktop area");
    t.Item(WS_CHILD | WS_VISIBLE | SS_LEFT, 15, 92, 220, 10, 0xFFFF, kStaticAtom,
           L"As the display driver reports it");
}

HPROPSHEETPAGE SettingsPage::Create() {
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DLGINDIRECT;
    page.hInstance = GetModuleHandleA(nullptr);
    page.pResource = reinterpret_cast<LPCDLGTEMPLATEA>(m_template.data());
    page.pfnDlgProc = SettingsProc;
    return CreatePropertySheetPageA(&page);
}

}  // namespace displayhost
