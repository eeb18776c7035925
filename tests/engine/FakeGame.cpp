#include "engine/FakeGame.h"

namespace fake_game {

namespace {

void Record(const char* szHook) { Get().vCalls.push_back({szHook, GetTickCount()}); }

}  // namespace

Hooks& Get() {
    static Hooks hooks;
    return hooks;
}

void Reset() { Get() = Hooks(); }

std::vector<DWORD> Ticks(const std::string& strHook) {
    std::vector<DWORD> vTicks;
    for (const Call& call : Get().vCalls)
        if (call.strHook == strHook) vTicks.push_back(call.dwTick);
    return vTicks;
}

std::vector<std::string> Names() {
    std::vector<std::string> vNames;
    for (const Call& call : Get().vCalls) vNames.push_back(call.strHook);
    return vNames;
}

}  // namespace fake_game

using fake_game::Get;
using fake_game::Record;

BOOL GameInitialize(HINSTANCE hInstance) {
    Record("GameInitialize");
    if (Get().fnInitialize) return Get().fnInitialize(hInstance);
    GameEngine* pGame = new GameEngine(hInstance, "EngineTests", "Engine Tests", 1000, 1001, 640, 480);
    pGame->SetFrameRate(30);
    return TRUE;
}

void GameStart(HWND hWindow) {
    Record("GameStart");
    Get().vStartWindows.push_back(hWindow);
}

void GameEnd() {
    Record("GameEnd");
    if (GameEngine* pGame = GameEngine::GetEngine()) {
        pGame->CloseMIDIPlayer();
        pGame->CleanupSprites();
        delete pGame;
    }
}

void GameActivate(HWND) { Record("GameActivate"); }
void GameDeactivate(HWND) { Record("GameDeactivate"); }

void GamePaint(HDC hDC) {
    Record("GamePaint");
    Get().vPaintDCs.push_back(hDC);
}

void GameCycle() {
    Record("GameCycle");
    if (Get().fnCycle) Get().fnCycle();
}

void HandleKeys() {
    Record("HandleKeys");
    if (Get().fnHandleKeys) {
        Get().fnHandleKeys();
        return;
    }
    if ((GetAsyncKeyState(VK_ESCAPE) & 0x8000) && GameEngine::GetEngine())
        GameEngine::GetEngine()->SetQuit(TRUE);
}

void LeftMouseButtonDown() { Record("LeftMouseButtonDown"); }
void LeftMouseButtonUp() { Record("LeftMouseButtonUp"); }
void RightMouseButtonDown() { Record("RightMouseButtonDown"); }
void RightMouseButtonUp() { Record("RightMouseButtonUp"); }
void MiddleMouseButtonDown() { Record("MiddleMouseButtonDown"); }
void MiddleMouseButtonUp() { Record("MiddleMouseButtonUp"); }

BOOL SpriteCollision(Sprite* pSpriteHitter, Sprite* pSpriteHittee) {
    Record("SpriteCollision");
    Get().vCollisions.push_back({pSpriteHitter, pSpriteHittee});
    return Get().bCollisionResult;
}

void SpriteDying(Sprite* pSprite) {
    Record("SpriteDying");
    Get().vDying.push_back(pSprite);
}
