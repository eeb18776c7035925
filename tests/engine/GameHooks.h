// The game hooks the engine calls, as its tests define them: they note the
// frames' ticks and what the sprite list reports, and may be told what to do.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "Engine/GameEngine.h"

struct HookRecord {
    std::vector<DWORD> vKeys, vCycles;  // ticks of HandleKeys and GameCycle
    std::function<void()> fnCycle;
    BOOL bCollisionResult = FALSE;
    std::vector<std::pair<Sprite*, Sprite*>> vCollisions;  // (found in the list, tested)
    std::vector<Sprite*> vDying;
};
HookRecord& Hooks();
