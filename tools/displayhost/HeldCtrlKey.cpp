#include "HeldCtrlKey.h"

#include <cstring>

namespace displayhost {

HeldCtrlKey::HeldCtrlKey() {
    if (!GetKeyboardState(m_saved)) return;
    BYTE state[256];
    std::memcpy(state, m_saved, sizeof state);
    state[VK_CONTROL] = 0x80;
    state[VK_LCONTROL] = 0x80;
    m_held = SetKeyboardState(state) != FALSE;
}

HeldCtrlKey::~HeldCtrlKey() {
    if (m_held) SetKeyboardState(m_saved);
}

bool CtrlIsDown() {
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

}  // namespace displayhost
