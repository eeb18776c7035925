#include "Platform/Keys.h"

#include "Platform/Backend.h"
#include "Platform/Win32.h"

namespace platform {

const GameKey g_aGameKeys[] = {
    {VK_ESCAPE, "escape"}, {VK_LEFT, "left"}, {VK_UP, "up"}, {VK_RIGHT, "right"}, {VK_DOWN, "down"},
};
const size_t g_nGameKeys = sizeof(g_aGameKeys) / sizeof(g_aGameKeys[0]);

const GameKey* FindGameKey(int iVirtualKey) {
    for (const GameKey& key : g_aGameKeys)
        if (key.iVirtualKey == iVirtualKey) return &key;
    return nullptr;
}

const GameKey* FindGameKey(const std::string& sScriptName) {
    for (const GameKey& key : g_aGameKeys)
        if (sScriptName == key.szScriptName) return &key;
    return nullptr;
}

// The D-pad is the arrow keys; the face buttons and the arcade keys are what a
// player presses and lets go, so their release lets go of the blender.
const ControlBinding g_aControlBindings[static_cast<int>(Control::Count)] = {
    {Control::DpadRight, VK_RIGHT, false, "D-pad right", "insert a quarter"},
    {Control::DpadLeft, VK_LEFT, false, "D-pad left (hold)", "blender button"},
    {Control::DpadUp, VK_UP, false, "D-pad up", "release the blender button"},
    {Control::DpadDown, VK_DOWN, false, "D-pad down", "flip the blender"},
    {Control::South, VK_LEFT, true, "A / Cross (hold)", "blender button, let go when released"},
    {Control::East, VK_DOWN, false, "B / Circle", "flip the blender"},
    {Control::Back, VK_RIGHT, false, "Back / Select", "insert a quarter"},
    {Control::CoinKey, VK_RIGHT, false, "5", "insert a quarter"},
    {Control::StartKey, VK_LEFT, true, "1 (hold)", "blender button, let go when released"},
};

const ControlBinding& FindControl(Control eControl) {
    for (const ControlBinding& binding : g_aControlBindings)
        if (binding.eControl == eControl) return binding;
    return g_aControlBindings[0];  // every control has its row
}

void KeyLevels::HoldKey(int iVirtualKey) {
    if (FindGameKey(iVirtualKey) != nullptr) m_abHeld[iVirtualKey] = true;
}

void KeyLevels::HoldControl(Control eControl) {
    const ControlBinding& binding = FindControl(eControl);
    m_abHeld[binding.iVirtualKey] = true;
    if (binding.bLetsGo) m_bLettingGo = true;
}

void KeyLevels::Report() {
    // The left mouse button stands for the left arrow, the blender button.
    const bool bBlenderLetGo = m_abReported[VK_LEFT] && !m_abHeld[VK_LEFT];
    for (const GameKey& key : g_aGameKeys) {
        const int iKey = key.iVirtualKey;
        if (m_abHeld[iKey] != m_abReported[iKey]) ReportKey(iKey, m_abHeld[iKey]);
        m_abReported[iKey] = m_abHeld[iKey];
    }
    if (bBlenderLetGo && m_bLettingGo) ReportMouseButton(MouseButton::Left, false, 0, 0);
    if (!m_abHeld[VK_LEFT]) m_bLettingGo = false;
    for (bool& b : m_abHeld) b = false;
}

}  // namespace platform
