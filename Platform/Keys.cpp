#include "Platform/Keys.h"

#include <SDL_scancode.h>

#include "Platform/Win32.h"

namespace platform {

const GameKey g_aGameKeys[] = {
    {VK_ESCAPE, "escape", SDL_SCANCODE_ESCAPE, "Escape"},
    {VK_LEFT, "left", SDL_SCANCODE_LEFT, "ArrowLeft"},
    {VK_UP, "up", SDL_SCANCODE_UP, "ArrowUp"},
    {VK_RIGHT, "right", SDL_SCANCODE_RIGHT, "ArrowRight"},
    {VK_DOWN, "down", SDL_SCANCODE_DOWN, "ArrowDown"},
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
