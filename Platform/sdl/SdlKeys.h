// The keys the game reads, as SDL names the keys that stand for them.
#pragma once

#include <SDL_scancode.h>

#include "Platform/Backend.h"

namespace platform {

struct SdlKey {
    int iVirtualKey;
    SDL_Scancode scancode;
};

const SdlKey kSdlKeys[] = {
    {VK_ESCAPE, SDL_SCANCODE_ESCAPE}, {VK_LEFT, SDL_SCANCODE_LEFT}, {VK_UP, SDL_SCANCODE_UP},
    {VK_RIGHT, SDL_SCANCODE_RIGHT},   {VK_DOWN, SDL_SCANCODE_DOWN},
};

}  // namespace platform
