// Dorode, the fish in the blender: entity 1. Swims, panics, dies and rises as
// an angel, or is saved and flops away; its states drive everything.
#pragma once

#include "Engine/BaseGameEntity.h"
#include "Engine/Bitmap.h"
#include "Engine/GameEngine.h"
#include "Engine/Sprite.h"
#include "Engine/SpriteSlot.h"
#include "Engine/StateMachine.h"
#include "Engine/Telegram.h"
#include "Platform/Win32.h"

class SwimLeft;
class SwimRight;
class SwimTowardPlayer;
class Panic;
class Angel;
class Saved;
class FlopAway;

class Fish : public BaseGameEntity {
private:
    SpriteSlot m_pCurrentSprite;
    SpriteSlot m_pSecondarySprite;
    Bitmap* m_pBitmap;
    GameEngine* m_pEngine;
    StateMachine<Fish>* m_pStateMachine;
    SpriteSlot m_pSpeechBubbleSprite;

    Bitmap* m_pSwimLeftBitmap;
    Bitmap* m_pSwimRightBitmap;
    Bitmap* m_pSwimTowardPlayerBitmap;
    Bitmap* m_pFlailLeftBitmap;
    Bitmap* m_pJump1Bitmap;
    Bitmap* m_pJump2Bitmap;
    Bitmap* m_pPanicBitmap;
    Bitmap* m_pGiveUpBitmap;
    Bitmap* m_pAngelBitmap;

    RECT m_rcWindowBounds;
    RECT m_rcBottomOfBlender;
    RECT m_rcFlopAway1;
    RECT m_rcFlopAway2;
    RECT m_rcLeftSideOfBlender;
    RECT m_rcCenterOfBlender;
    RECT m_rcLeftCenterSideOfBlender;
    RECT m_rcLowerCenterOfBlender;
    RECT m_rcRightSideOfBlender;
    RECT m_rcFishHeaven;

    bool m_bSwimmingToCenter;
    bool m_bJustKeepSwimming;
    bool m_bBlending;
    bool m_bPanic;
    bool m_bGiveUp;
    bool m_bStillAlive;
    bool m_bAscended;
    bool m_bFalling;

    // Helpers shared by the fish's own states.
    friend class ::SwimLeft;
    friend class ::SwimRight;
    friend class ::SwimTowardPlayer;
    friend class ::Panic;
    friend class ::Angel;
    friend class ::Saved;
    friend class ::FlopAway;

    // Writes szPrefix and the four edges of the fish's position, then one end
    // of line (two with bBlankLine).
    void WritePosition(const char* szPrefix, bool bBlankLine = false);
    // Replaces the fish's sprite by one with these settings where the old one
    // stood, writing the position before and after.
    void HandOver(const char* szPrefix, Bitmap* pBitmap, RECT rcBounds, int iNumFrames, int iFrameDelay,
                  POINT ptVelocity, int iZOrder);
    // What the Blender and the Screen tell a swimming fish; true if accepted.
    bool NoteSwimmingNews(const Telegram& msg);

public:
    Fish(int id, GameEngine* pEngine, Bitmap* pSwimLeft, Bitmap* pSwimRight, Bitmap* pSwimTowardPlayer,
         Bitmap* pFlailLeft, Bitmap* pJump1, Bitmap* pJump2, Bitmap* pPanic, Bitmap* pGiveUp, Bitmap* pAngel);
    ~Fish() override;

    void Initialize();
    void Update() override;
    bool HandleMessage(const Telegram& msg) override;

    // Sprite slots
    Sprite* GetCurrentSprite() const { return m_pCurrentSprite.Get(); }
    void SetCurrentSprite(Sprite* pSprite) { m_pCurrentSprite.Set(pSprite); }
    Sprite* GetSecondarySprite() const { return m_pSecondarySprite.Get(); }
    void SetSecondarySprite(Sprite* pSprite) { m_pSecondarySprite.Set(pSprite); }
    Sprite* GetSpeechBubbleSprite() const { return m_pSpeechBubbleSprite.Get(); }
    void SetSpeechBubbleSprite(Sprite* pSprite) { m_pSpeechBubbleSprite.Set(pSprite); }
    void ResetCurrentSprite() { m_pCurrentSprite.Reset(); }
    void ResetSecondarySprite() { m_pSecondarySprite.Reset(); }
    void ResetSpeechBubbleSprite() { m_pSpeechBubbleSprite.Reset(); }
    // Kills the current sprite; the slot keeps naming it for the next state's entry.
    void KillCurrentSprite() { m_pCurrentSprite.Kill(); }
    bool HitBounds() const;

    RECT& GetPosition() { return m_pCurrentSprite.Position(); }
    int GetPositionX() { return GetPosition().left; }
    int GetPositionY() { return GetPosition().top; }

    GameEngine* GetEngine() const { return m_pEngine; }
    StateMachine<Fish>* GetFSM() const { return m_pStateMachine; }

    // Bitmaps
    Bitmap* GetSwimLeftBitmap() const { return m_pSwimLeftBitmap; }
    Bitmap* GetSwimRightBitmap() const { return m_pSwimRightBitmap; }
    Bitmap* GetSwimTowardPlayerBitmap() const { return m_pSwimTowardPlayerBitmap; }
    Bitmap* GetFlailLeftBitmap() const { return m_pFlailLeftBitmap; }
    Bitmap* GetJump1Bitmap() const { return m_pJump1Bitmap; }
    Bitmap* GetJump2Bitmap() const { return m_pJump2Bitmap; }
    Bitmap* GetPanicBitmap() const { return m_pPanicBitmap; }
    Bitmap* GetGiveUpBitmap() const { return m_pGiveUpBitmap; }
    Bitmap* GetAngelBitmap() const { return m_pAngelBitmap; }

    // Bounds rectangles
    RECT GetWindowBounds() const { return m_rcWindowBounds; }
    RECT GetBottomOfBlender() const { return m_rcBottomOfBlender; }
    RECT GetFlopAway1() const { return m_rcFlopAway1; }
    RECT GetFlopAway2() const { return m_rcFlopAway2; }
    RECT GetLeftSideOfBlender() const { return m_rcLeftSideOfBlender; }
    RECT GetCenterOfBlender() const { return m_rcCenterOfBlender; }
    RECT GetLeftCenterSideOfBlender() const { return m_rcLeftCenterSideOfBlender; }
    RECT GetLowerCenterOfBlender() const { return m_rcLowerCenterOfBlender; }
    RECT GetRightSideOfBlender() const { return m_rcRightSideOfBlender; }
    RECT GetFishHeaven() const { return m_rcFishHeaven; }

    // Flags
    bool GetSwimmingToCenter() const { return m_bSwimmingToCenter; }
    void SetSwimmingToCenter(bool b) { m_bSwimmingToCenter = b; }
    bool GetJustKeepSwimming() const { return m_bJustKeepSwimming; }
    void SetJustKeepSwimming(bool b) { m_bJustKeepSwimming = b; }
    bool Blending() const { return m_bBlending; }
    void SetBlending(bool b) { m_bBlending = b; }
    bool Panic() const { return m_bPanic; }
    void SetPanic(bool b) { m_bPanic = b; }
    bool GiveUp() const { return m_bGiveUp; }
    void SetGiveUp(bool b) { m_bGiveUp = b; }
    bool StillAlive() const { return m_bStillAlive; }
    void SetStillAlive(bool b) { m_bStillAlive = b; }
    bool Ascended() const { return m_bAscended; }
    void SetAscended(bool b) { m_bAscended = b; }
    bool Falling() const { return m_bFalling; }
    void SetFalling(bool b) { m_bFalling = b; }

    Fish(const Fish&) = delete;
    Fish& operator=(const Fish&) = delete;
};
