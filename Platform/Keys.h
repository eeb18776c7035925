// The keys the game reads, in one table: each key's virtual-key code and the
// name replay scripts give it. Each backend names the keys that stand for
// them its own way, in its own folder.
//
// Beside the keyboard's own keys, other controls stand for them: the buttons
// of a controller (standard layout) and the keys arcade cabinets send. Which
// game key each one gives is written once, here; a backend names the buttons
// its own way, and KeyLevels makes one level of all of a key's sources.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

struct GameKey {
    int iVirtualKey;
    const char* szScriptName;
};

extern const GameKey g_aGameKeys[];
extern const size_t g_nGameKeys;

// The key with this virtual-key code, or null when the game does not read it.
const GameKey* FindGameKey(int iVirtualKey);
// The key a replay script names, or null.
const GameKey* FindGameKey(const std::string& sScriptName);

enum class Control { DpadRight, DpadLeft, DpadUp, DpadDown, South, East, Back, CoinKey, StartKey, Count };

struct ControlBinding {
    Control eControl;
    // The game key held while the control is held.
    int iVirtualKey;
    // Its release lets go of the blender button, as the left mouse button's does.
    bool bLetsGo;
    // What the player reads: the control, and what it does.
    const char* szControl;
    const char* szAction;
};

// One row per control.
extern const ControlBinding g_aControlBindings[static_cast<int>(Control::Count)];
const ControlBinding& FindControl(Control eControl);

// A game key's level is down while any of its sources is: the keyboard's key
// and every control bound to it, on any device. A backend holds what is down
// now, then reports; only the levels that changed go to ReportKey.
class KeyLevels {
public:
    // A key the game reads (others are ignored) is down in this reading.
    void HoldKey(int iVirtualKey);
    void HoldControl(Control eControl);
    // Reports every level that differs from the last report, and, when the
    // blender button's level falls after a control that lets go of it held
    // it, the left mouse button's release. The next reading starts with
    // everything up.
    void Report();

private:
    bool m_abHeld[256] = {};
    bool m_abReported[256] = {};
    bool m_bLettingGo = false;  // such a control held the blender button since it last went down
};

}  // namespace platform
