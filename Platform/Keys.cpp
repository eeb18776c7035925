#include "Platform/Keys.h"

#include <SDL_scancode.h>

#include "Platform/Win32.h"

namespace platform {

const GameKey g_aGameKeys[] = {
    {VK_ESCAPE, "escape", SDL_SCANCODE_ESCAPE},
    {VK_LEFT, "left", SDL_SCANCODE_LEFT},
    {VK_UP, "up", SDL_SCANCODE_UP},
    {VK_RIGHT, "right", SDL_SCANCODE_RIGHT},
    {VK_DOWN, "down", SDL_SCANCODE_DOWN},
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
