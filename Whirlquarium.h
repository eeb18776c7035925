// The game file: the game hooks the engine calls, start-up and shutdown, the
// per-frame cycle and the player's controls.
#pragma once

#include "Engine/Bitmap.h"
#include "Engine/GameEngine.h"
#include "Platform/Win32.h"

class Screen;
class Fish;
class Blender;

// Game-wide variables, all zero or null before start-up.
extern HINSTANCE _hInstance;
extern GameEngine* _pGame;
extern HDC _hOffscreenDC;
extern HBITMAP _hOffscreenBitmap;
extern int _iCreditsToday;
extern Screen* _pScreen;
extern Fish* _pDorode;
extern Blender* _pBlender;

extern Bitmap* _pSwimLeftBitmap;
extern Bitmap* _pSwimRightBitmap;
extern Bitmap* _pSwimTowardPlayerBitmap;
extern Bitmap* _pFlailLeftBitmap;
extern Bitmap* _pJump1Bitmap;
extern Bitmap* _pJump2Bitmap;
extern Bitmap* _pPanicBitmap;
extern Bitmap* _pGiveUpBitmap;
extern Bitmap* _pAngelBitmap;
extern Bitmap* _pBlenderCalmBitmap;
extern Bitmap* _pBlenderTurningBitmap;
extern Bitmap* _pBlenderUpSideDownBitmap;
extern Bitmap* _pBlenderWaterAndLidBitmap;
extern Bitmap* _pBlenderShakingBitmap;
extern Bitmap* _pBlenderShakingBloodyBitmap;
extern Bitmap* _pBlenderBloodyFishGooBitmap;
extern Bitmap* _pBackgroundBitmap;
extern Bitmap* _pTitleScreenBitmap;
extern Bitmap* _pSavedScoreBitmap;
extern Bitmap* _pDeathScoreBitmap;
extern Bitmap* _pSmileyAnimBitmap;

// Starts the first game: each entity's Initialize.
void NewGame();

// The three game actions every control ends in.
void BlenderButton(bool bPressed);
void FlipBlender();
void CoinSlot();
