#include "engine/GameHooks.h"

HookRecord& Hooks() {
    static HookRecord record;
    return record;
}

BOOL GameInitialize(HINSTANCE hInstance) {
    (new GameEngine(hInstance, "EngineTests", "Engine Tests", 1000, 1001))->SetFrameRate(30);
    return TRUE;
}

void GameEnd() {
    GameEngine::GetEngine()->CleanupSprites();
    delete GameEngine::GetEngine();
}

// Escape held asks to quit, as in the game.
void HandleKeys() {
    Hooks().vKeys.push_back(GetTickCount());
    if (GetAsyncKeyState(VK_ESCAPE) & 0x8000) GameEngine::GetEngine()->SetQuit(TRUE);
}

void GameCycle() {
    Hooks().vCycles.push_back(GetTickCount());
    if (Hooks().fnCycle) Hooks().fnCycle();
}

BOOL SpriteCollision(Sprite* pSpriteHitter, Sprite* pSpriteHittee) {
    Hooks().vCollisions.push_back({pSpriteHitter, pSpriteHittee});
    return Hooks().bCollisionResult;
}

void SpriteDying(Sprite* pSprite) { Hooks().vDying.push_back(pSprite); }
void GameStart(HWND) {}
void GameActivate(HWND) {}
void GameDeactivate(HWND) {}
void GamePaint(HDC) {}
void LeftMouseButtonDown() {}
void LeftMouseButtonUp() {}
void RightMouseButtonDown() {}
void RightMouseButtonUp() {}
void MiddleMouseButtonDown() {}
void MiddleMouseButtonUp() {}
