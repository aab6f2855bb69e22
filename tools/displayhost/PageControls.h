// The controls that the extension page created at run time (ids from 2001).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace displayhost {

constexpr int kFirstSettingId = 2001;
constexpr int kLastSettingId = 2255;

struct PageControl {
    int id = 0;
    HWND window = nullptr;
    std::string text;
    std::string kind;  // "Check", "Radio", "Group" or "Other", from the button style
    DWORD style = 0;
    bool checked = false;
    RECT rect = {};  // in the page's client coordinates
};

// The page's child windows with ids from kFirstSettingId up, ordered by id.
std::vector<PageControl> ReadPageControls(HWND page);

// Clicks a button as the mouse would (BM_CLICK) and lets the messages run.
void Click(HWND button);

}  // namespace displayhost
