#include "MessageBoxAnswerer.h"

namespace displayhost {

namespace {

MessageBoxAnswerer* g_answerer = nullptr;

struct Search {
    const std::string* caption;
    HWND found = nullptr;
};

BOOL CALLBACK FindBox(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    char className[64] = {};
    char caption[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (std::string(className) == "#32770" && *search->caption == caption &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM lParam) {
    auto* box = reinterpret_cast<AnsweredBox*>(lParam);
    char className[64] = {};
    char text[1024] = {};
    GetClassNameA(child, className, sizeof className);
    GetWindowTextA(child, text, sizeof text);
    if (_stricmp(className, "Static") == 0 && text[0] && box->text.empty())
        box->text = text;
    else if (_stricmp(className, "Button") == 0)
        box->buttons.push_back(text);
    return TRUE;
}

}  // namespace

AnsweredBox DescribeBox(HWND box) {
    AnsweredBox described;
    char caption[256] = {};
    GetWindowTextA(box, caption, sizeof caption);
    described.caption = caption;
    EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&described));
    return described;
}

MessageBoxAnswerer::MessageBoxAnswerer(const std::string& caption, int answer)
    : m_caption(caption), m_answer(answer) {
    g_answerer = this;
    m_timer = SetTimer(nullptr, 0, 50, &MessageBoxAnswerer::Tick);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    if (m_timer) KillTimer(nullptr, m_timer);
    g_answerer = nullptr;
}

void CALLBACK MessageBoxAnswerer::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_answerer) g_answerer->Look();
}

void MessageBoxAnswerer::Look() {
    Search search{&m_caption};
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return;
    AnsweredBox box = DescribeBox(search.found);
    HWND button = GetDlgItem(search.found, m_answer);
    if (!button) return;
    box.answer = m_answer;
    m_answered.push_back(box);
    SendMessageA(button, BM_CLICK, 0, 0);
}

}  // namespace displayhost
