#include "MessageBoxAnswerer.h"

namespace displayhost {

namespace {

MessageBoxAnswerer* g_answerer = nullptr;

struct Search {
    const std::string* caption;
    HWND found = nullptr;
};

std::string ClassName(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string Text(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

BOOL CALLBACK FindBox(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (ClassName(window) == "#32770" && *search->caption == Text(window) &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM lParam) {
    auto* box = reinterpret_cast<AnsweredBox*>(lParam);
    const std::string className = ClassName(child);
    const std::string text = Text(child);
    if (_stricmp(className.c_str(), "Static") == 0 && !text.empty() && box->text.empty())
        box->text = text;
    else if (_stricmp(className.c_str(), "Button") == 0)
        box->buttons.push_back(text);
    return TRUE;
}

}  // namespace

AnsweredBox DescribeBox(HWND box) {
    AnsweredBox described;
    described.caption = Text(box);
    EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&described));
    return described;
}

MessageBoxAnswerer::MessageBoxAnswerer(const std::string& caption, int answer)
    : m_caption(caption), m_answer(answer) {
    g_answerer = this;
    m_timer.reset(SetTimer(nullptr, 0, 50, &MessageBoxAnswerer::Tick));
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    m_timer.reset();
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
