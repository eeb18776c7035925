// The game hooks for the engine's tests: every call is recorded with the tick
// at which it happened, and a test can set what some hooks do.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Engine/GameEngine.h"

namespace fake_game {

struct Call {
    std::string strHook;
    DWORD dwTick;
};

struct Hooks {
    std::vector<Call> vCalls;
    // GameInitialize; by default it creates an engine and sets 30 frames per second.
    std::function<BOOL(HINSTANCE)> fnInitialize;
    // HandleKeys; by default Escape held requests quit.
    std::function<void()> fnHandleKeys;
    std::function<void()> fnCycle;
    // What SpriteCollision answers, and the pairs it was asked about (found, tested).
    BOOL bCollisionResult = FALSE;
    std::vector<std::pair<Sprite*, Sprite*>> vCollisions;
    std::vector<Sprite*> vDying;
    std::vector<HWND> vStartWindows;
    std::vector<HDC> vPaintDCs;
};

Hooks& Get();
// Forgets every recorded call and restores the default behaviour.
void Reset();
// The ticks at which a hook was called, in order.
std::vector<DWORD> Ticks(const std::string& strHook);
// The names of the recorded calls, in order.
std::vector<std::string> Names();

}  // namespace fake_game
