#include "Platform/Keys.h"

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

}  // namespace platform
