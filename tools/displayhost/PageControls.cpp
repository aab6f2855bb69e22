#include "PageControls.h"

#include <algorithm>

#include "DisplaySheet.h"

namespace displayhost {

namespace {

std::string KindOfStyle(DWORD style) {
    switch (style & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
            return "Check";
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return "Radio";
        case BS_GROUPBOX:
            return "Group";
        default:
            return "Other";
    }
}

struct Walk {
    HWND page;
    std::vector<PageControl>* controls;
};

BOOL CALLBACK Visit(HWND child, LPARAM lParam) {
    auto* walk = reinterpret_cast<Walk*>(lParam);
    if (GetParent(child) != walk->page) return TRUE;
    int id = GetDlgCtrlID(child);
    if (id < kFirstSettingId) return TRUE;
    PageControl control;
    control.id = id;
    control.window = child;
    char text[512] = {};
    GetWindowTextA(child, text, sizeof text);
    control.text = text;
    control.style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    control.kind = KindOfStyle(control.style);
    control.checked = SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED;
    GetWindowRect(child, &control.rect);
    MapWindowPoints(nullptr, walk->page, reinterpret_cast<POINT*>(&control.rect), 2);
    walk->controls->push_back(control);
    return TRUE;
}

}  // namespace

std::vector<PageControl> ReadPageControls(HWND page) {
    std::vector<PageControl> controls;
    if (!page) return controls;
    Walk walk{page, &controls};
    EnumChildWindows(page, Visit, reinterpret_cast<LPARAM>(&walk));
    std::sort(controls.begin(), controls.end(),
              [](const PageControl& a, const PageControl& b) { return a.id < b.id; });
    return controls;
}

void Click(HWND button) {
    SendMessageA(button, BM_CLICK, 0, 0);
    PumpMessages();
}

}  // namespace displayhost
