#include "engine/FakeGame.h"

namespace fake_game {

Hooks& Get() {
    static Hooks hooks;
    return hooks;
}

void Reset() {
    platform::SelectHeadlessBackend();
    Get() = Hooks();
}

std::vector<DWORD> Ticks(const std::string& strHook) {
    std::vector<DWORD> v;
    for (const auto& call : Get().vCalls)
        if (call.first == strHook) v.push_back(call.second);
    return v;
}

std::vector<std::string> Names() {
    std::vector<std::string> v;
    for (const auto& call : Get().vCalls) v.push_back(call.first);
    return v;
}

void AdvanceTo(DWORD dwTick) {
    if (dwTick > GetTickCount()) MsgWaitForMultipleObjects(0, NULL, FALSE, dwTick - GetTickCount(), QS_ALLINPUT);
}

}  // namespace fake_game

namespace {
void Record(const char* szHook) { fake_game::Get().vCalls.push_back({szHook, GetTickCount()}); }
}  // namespace

BOOL GameInitialize(HINSTANCE hInstance) {
    Record("GameInitialize");
    if (fake_game::Get().fnInitialize) return fake_game::Get().fnInitialize(hInstance);
    (new GameEngine(hInstance, "EngineTests", "Engine Tests", 1000, 1001, 640, 480))->SetFrameRate(30);
    return TRUE;
}

void GameEnd() {
    Record("GameEnd");
    if (GameEngine* pGame = GameEngine::GetEngine()) {
        pGame->CleanupSprites();
        delete pGame;
    }
}

// Escape held asks to quit, as in the game.
void HandleKeys() {
    Record("HandleKeys");
    if ((GetAsyncKeyState(VK_ESCAPE) & 0x8000) && GameEngine::GetEngine()) GameEngine::GetEngine()->SetQuit(TRUE);
}

void GameCycle() {
    Record("GameCycle");
    if (fake_game::Get().fnCycle) fake_game::Get().fnCycle();
}

void GamePaint(HDC hDC) {
    Record("GamePaint");
    fake_game::Get().vPaintDCs.push_back(hDC);
}

BOOL SpriteCollision(Sprite* pSpriteHitter, Sprite* pSpriteHittee) {
    fake_game::Get().vCollisions.push_back({pSpriteHitter, pSpriteHittee});
    return fake_game::Get().bCollisionResult;
}

void SpriteDying(Sprite* pSprite) { fake_game::Get().vDying.push_back(pSprite); }
void GameStart(HWND) { Record("GameStart"); }
void GameActivate(HWND) { Record("GameActivate"); }
void GameDeactivate(HWND) { Record("GameDeactivate"); }
void LeftMouseButtonDown() { Record("LeftMouseButtonDown"); }
void LeftMouseButtonUp() { Record("LeftMouseButtonUp"); }
void RightMouseButtonDown() { Record("RightMouseButtonDown"); }
void RightMouseButtonUp() { Record("RightMouseButtonUp"); }
void MiddleMouseButtonDown() { Record("MiddleMouseButtonDown"); }
void MiddleMouseButtonUp() { Record("MiddleMouseButtonUp"); }
