// The keys the game reads, in one table: each key's virtual-key code, the
// name replay scripts give it, and the key that stands for it on each display.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

struct GameKey {
    int iVirtualKey;
    const char* szScriptName;
    int iSdlScancode;
    const char* szWebCode;  // KeyboardEvent.code in a web page
};

extern const GameKey g_aGameKeys[];
extern const size_t g_nGameKeys;

// The key with this virtual-key code, or null when the game does not read it.
const GameKey* FindGameKey(int iVirtualKey);
// The key a replay script names, or null.
const GameKey* FindGameKey(const std::string& sScriptName);

}  // namespace platform
