// The keys the game reads, in one table: each key's virtual-key code and the
// name replay scripts give it. Each backend names the keys that stand for
// them its own way, in its own folder.
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

}  // namespace platform
