#include "Whirlquarium.h"

#include <climits>
#include <iostream>

#include "Blender/Blender.h"
#include "Engine/EntityManager.h"
#include "EntityIDs.h"
#include "Engine/MessageDispatcher.h"
#include "Fish/Fish.h"
#include "ResourceIDs.h"
#include "Screen/Screen.h"

HINSTANCE _hInstance = nullptr;
GameEngine* _pGame = nullptr;
HDC _hOffscreenDC = nullptr;
HBITMAP _hOffscreenBitmap = nullptr;
int _iCreditsToday = 0;
Screen* _pScreen = nullptr;
Fish* _pDorode = nullptr;
Blender* _pBlender = nullptr;

Bitmap* _pSwimLeftBitmap = nullptr;
Bitmap* _pSwimRightBitmap = nullptr;
Bitmap* _pSwimTowardPlayerBitmap = nullptr;
Bitmap* _pFlailLeftBitmap = nullptr;
Bitmap* _pJump1Bitmap = nullptr;
Bitmap* _pJump2Bitmap = nullptr;
Bitmap* _pPanicBitmap = nullptr;
Bitmap* _pGiveUpBitmap = nullptr;
Bitmap* _pAngelBitmap = nullptr;
Bitmap* _pBlenderCalmBitmap = nullptr;
Bitmap* _pBlenderTurningBitmap = nullptr;
Bitmap* _pBlenderUpSideDownBitmap = nullptr;
Bitmap* _pBlenderWaterAndLidBitmap = nullptr;
Bitmap* _pBlenderShakingBitmap = nullptr;
Bitmap* _pBlenderShakingBloodyBitmap = nullptr;
Bitmap* _pBlenderBloodyFishGooBitmap = nullptr;
Bitmap* _pBackgroundBitmap = nullptr;
Bitmap* _pTitleScreenBitmap = nullptr;
Bitmap* _pSavedScoreBitmap = nullptr;
Bitmap* _pDeathScoreBitmap = nullptr;
Bitmap* _pSmileyAnimBitmap = nullptr;

namespace {

// Which bitmap resource each bitmap of the game is loaded from.
struct BitmapRow {
    UINT uiID;
    const char* szName;
    Bitmap** ppBitmap;
};
#define BITMAP_ROW(id, pBitmap) {id, #id, &pBitmap}
const BitmapRow s_aBitmaps[] = {
    BITMAP_ROW(IDB_SWIM_LEFT, _pSwimLeftBitmap),
    BITMAP_ROW(IDB_SWIM_RIGHT, _pSwimRightBitmap),
    BITMAP_ROW(IDB_SWIM_TOWARD_PLAYER, _pSwimTowardPlayerBitmap),
    BITMAP_ROW(IDB_FLAIL_LEFT, _pFlailLeftBitmap),
    BITMAP_ROW(IDB_JUMP_1, _pJump1Bitmap),
    BITMAP_ROW(IDB_JUMP_2, _pJump2Bitmap),
    BITMAP_ROW(IDB_PANIC, _pPanicBitmap),
    BITMAP_ROW(IDB_GIVE_UP, _pGiveUpBitmap),
    BITMAP_ROW(IDB_ANGEL, _pAngelBitmap),
    BITMAP_ROW(IDB_BLENDER_CALM, _pBlenderCalmBitmap),
    BITMAP_ROW(IDB_BLENDER_TURNING, _pBlenderTurningBitmap),
    BITMAP_ROW(IDB_BLENDER_UP_SIDE_DOWN, _pBlenderUpSideDownBitmap),
    BITMAP_ROW(IDB_BLENDER_WATER_AND_LID, _pBlenderWaterAndLidBitmap),
    BITMAP_ROW(IDB_BLENDER_SHAKING, _pBlenderShakingBitmap),
    BITMAP_ROW(IDB_BLENDER_SHAKING_BLOODY, _pBlenderShakingBloodyBitmap),
    BITMAP_ROW(IDB_BLENDER_BLOODY_FISH_GOO, _pBlenderBloodyFishGooBitmap),
    BITMAP_ROW(IDB_BACKGROUND, _pBackgroundBitmap),
    BITMAP_ROW(IDB_TITLE_SCREEN, _pTitleScreenBitmap),
    BITMAP_ROW(IDB_SAVED_SCORE, _pSavedScoreBitmap),
    BITMAP_ROW(IDB_DEATH_SCORE, _pDeathScoreBitmap),
    BITMAP_ROW(IDB_SMILEY_ANIM, _pSmileyAnimBitmap),
};
#undef BITMAP_ROW

}  // namespace

// ---- Start-up and shutdown ------------------------------------------------------

BOOL GameInitialize(HINSTANCE hInstance) {
    _pGame = new GameEngine(hInstance, "Whirlquarium", "Whirlquarium", IDI_WHIRLQUARIUM, IDI_WHIRLQUARIUM_SMALL, 640, 480);
    if (_pGame == nullptr) return FALSE;
    _pGame->SetFrameRate(30);
    _hInstance = hInstance;
    return TRUE;
}

void GameStart(HWND hWindow) {
    HDC hDC = GetDC(hWindow);
    _hOffscreenDC = CreateCompatibleDC(hDC);
    _hOffscreenBitmap = CreateCompatibleBitmap(hDC, _pGame->GetWidth(), _pGame->GetHeight());
    SelectObject(_hOffscreenDC, _hOffscreenBitmap);
    ReleaseDC(hWindow, hDC);

    hDC = GetDC(hWindow);
    for (const BitmapRow& b : s_aBitmaps) {
        *b.ppBitmap = new Bitmap(hDC, b.uiID, _hInstance);
        // The game goes on without it (an empty bitmap draws nothing), but not unnoticed.
        if ((*b.ppBitmap)->GetWidth() == 0)
            std::cerr << "Whirlquarium: bitmap resource " << b.uiID << " (" << b.szName << ") could not be loaded"
                      << std::endl;
    }
    ReleaseDC(hWindow, hDC);

    _iCreditsToday = 0;

    _pScreen = new Screen(ScreenID, _pGame, _pBackgroundBitmap, _pTitleScreenBitmap, _pSavedScoreBitmap,
                          _pDeathScoreBitmap);
    _pDorode = new Fish(FishID, _pGame, _pSwimLeftBitmap, _pSwimRightBitmap, _pSwimTowardPlayerBitmap,
                        _pFlailLeftBitmap, _pJump1Bitmap, _pJump2Bitmap, _pPanicBitmap, _pGiveUpBitmap,
                        _pAngelBitmap);
    _pBlender = new Blender(BlenderID, _pGame, _pBlenderCalmBitmap, _pBlenderTurningBitmap, _pBlenderUpSideDownBitmap,
                            _pBlenderWaterAndLidBitmap, _pBlenderShakingBitmap, _pBlenderShakingBloodyBitmap,
                            _pBlenderBloodyFishGooBitmap);

    EntityManager::Instance()->RegisterEntity(_pScreen);
    EntityManager::Instance()->RegisterEntity(_pDorode);
    EntityManager::Instance()->RegisterEntity(_pBlender);

    NewGame();
}

void NewGame() {
    _pScreen->Initialize();
    _pDorode->Initialize();
    _pBlender->Initialize();
}

void GameEnd() {
    delete _pScreen;
    _pScreen = nullptr;
    delete _pDorode;
    _pDorode = nullptr;
    delete _pBlender;
    _pBlender = nullptr;

    if (_pGame) _pGame->CloseMIDIPlayer();

    if (_hOffscreenBitmap) DeleteObject(_hOffscreenBitmap);
    _hOffscreenBitmap = nullptr;
    if (_hOffscreenDC) DeleteDC(_hOffscreenDC);
    _hOffscreenDC = nullptr;

    for (const BitmapRow& b : s_aBitmaps) {
        delete *b.ppBitmap;
        *b.ppBitmap = nullptr;
    }

    if (_pGame) _pGame->CleanupSprites();
    delete _pGame;
    _pGame = nullptr;
}

void GameActivate(HWND) { _pGame->PlayMIDISong("", FALSE); }

void GameDeactivate(HWND) { _pGame->PauseMIDISong(); }

// ---- The frame ------------------------------------------------------------------

void GamePaint(HDC hDC) { _pGame->DrawSprites(hDC); }

void GameCycle() {
    MessageDispatcher::Instance()->DispatchDelayedMessages();

    _pBlender->Update();
    _pScreen->Update();
    _pDorode->Update();

    _pGame->UpdateSprites();

    GamePaint(_hOffscreenDC);
    HWND hWindow = _pGame->GetWindow();
    HDC hDC = GetDC(hWindow);
    BitBlt(hDC, 0, 0, _pGame->GetWidth(), _pGame->GetHeight(), _hOffscreenDC, 0, 0, SRCCOPY);
    ReleaseDC(hWindow, hDC);
}

BOOL SpriteCollision(Sprite*, Sprite*) { return FALSE; }

void SpriteDying(Sprite*) {}

// ---- Controls -------------------------------------------------------------------

namespace {
bool KeyHeld(int iVirtualKey) { return (GetAsyncKeyState(iVirtualKey) & 0x8000) != 0; }
}  // namespace

void HandleKeys() {
    if (KeyHeld(VK_ESCAPE)) _pGame->SetQuit(TRUE);
    if (KeyHeld(VK_LEFT)) BlenderButton(true);
    if (KeyHeld(VK_UP)) BlenderButton(false);
    if (KeyHeld(VK_DOWN)) FlipBlender();
    if (KeyHeld(VK_RIGHT)) CoinSlot();
}

void LeftMouseButtonDown() { BlenderButton(true); }
void LeftMouseButtonUp() { BlenderButton(false); }
void RightMouseButtonDown() { CoinSlot(); }
void RightMouseButtonUp() {}
void MiddleMouseButtonDown() { FlipBlender(); }
void MiddleMouseButtonUp() {}

void BlenderButton(bool bPressed) {
    if (bPressed) {
        if (_pScreen->GetCredits() > 0 && !_pBlender->GetBlending() && !_pScreen->GameOver()) {
            _pScreen->DecCredit();
            _pBlender->SetBlending(true);
            std::cout << "Credits = " << _pScreen->GetCredits() << std::endl;
            std::cout << "NOW BLENDING!!!" << std::endl << std::endl;
        } else if (!_pScreen->GameOver() && !_pBlender->GetBlending()) {
            // A flip already asked for ends this game; cycling the boards now would hide it for good.
            if (_pBlender->Saved()) return;
            std::cout << "Cycling High Scores." << std::endl << std::endl;
            _pScreen->CycleHighScores();
        }
    } else if (_pBlender->GetBlending()) {
        _pBlender->SetBlending(false);
        std::cout << "Credits = " << _pScreen->GetCredits() << std::endl;
        std::cout << "Blender Stopped." << std::endl << std::endl;
    }
}

void FlipBlender() {
    if (!_pDorode->GiveUp() && !_pScreen->GameOver() && !_pScreen->LookingAtScores()) _pBlender->SetSaved(true);
}

void CoinSlot() {
    _pScreen->AddCredit();
    if (_iCreditsToday < INT_MAX) ++_iCreditsToday;
    std::cout << "Quarter accepted!" << std::endl;
    std::cout << "Credits = " << _pScreen->GetCredits() << std::endl;
    std::cout << "Total Credits Today = " << _iCreditsToday << std::endl << std::endl;
}
