// The game hooks for the engine's tests: every call is recorded with its tick,
// and a test can set what some hooks do.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Engine/GameEngine.h"
#include "Platform/Headless.h"

namespace fake_game {

struct Hooks {
    std::vector<std::pair<std::string, DWORD>> vCalls;  // hook name, tick
    std::function<BOOL(HINSTANCE)> fnInitialize;        // default: an engine at 30 frames per second
    std::function<void()> fnCycle;
    BOOL bCollisionResult = FALSE;
    std::vector<std::pair<Sprite*, Sprite*>> vCollisions;  // (found, tested)
    std::vector<Sprite*> vDying;
    std::vector<HDC> vPaintDCs;
};

Hooks& Get();
// Selects the headless backend (clock at 0) and forgets all calls and settings.
void Reset();
std::vector<DWORD> Ticks(const std::string& strHook);
std::vector<std::string> Names();
// Moves the headless clock on to the tick.
void AdvanceTo(DWORD dwTick);

}  // namespace fake_game
