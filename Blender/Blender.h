// The blender that fills the play area and holds the fish's water. It keeps
// up to two sprites in the engine's list (the body and, during a flip, the
// falling water) and swaps them as its states change.
#pragma once

#include "Engine/BaseGameEntity.h"
#include "Engine/Bitmap.h"
#include "Engine/GameEngine.h"
#include "Engine/Sprite.h"
#include "Engine/SpriteSlot.h"
#include "Engine/StateMachine.h"

class Blender : public BaseGameEntity {
private:
    SpriteSlot m_pCurrentSprite;
    SpriteSlot m_pSecondarySprite;
    Bitmap* m_pBitmap;
    GameEngine* m_pEngine;
    StateMachine<Blender>* m_pStateMachine;
    Bitmap* m_pBlenderCalmBitmap;
    Bitmap* m_pBlenderTurningBitmap;
    Bitmap* m_pBlenderUpSideDownBitmap;
    Bitmap* m_pBlenderWaterAndLidBitmap;
    Bitmap* m_pBlenderShakingBitmap;
    Bitmap* m_pBlenderShakingBloodyBitmap;
    Bitmap* m_pBlenderBloodyFishGooBitmap;
    RECT m_rcWindowBounds;
    RECT m_rcWaterFall;
    bool m_pBlending;  // a flag despite its prefix: the name stands in the log
    bool m_bFishIsBlended;
    bool m_bCanceled;
    bool m_bPoorFish;
    bool m_bSaved;

    // The log lines every Blender state writes about the blender body.
    void WritePosition(const char* szPrefix);
    void WriteStatus() const;

    friend class Calm;
    friend class Blending;
    friend class BloodyFishGoo;
    friend class FlipOver;

public:
    Blender(int id, GameEngine* pEngine, Bitmap* pCalm, Bitmap* pTurning, Bitmap* pUpSideDown,
            Bitmap* pWaterAndLid, Bitmap* pShaking, Bitmap* pShakingBloody, Bitmap* pBloodyFishGoo);
    ~Blender() override;

    void Initialize();
    void Update() override;
    bool HandleMessage(const Telegram& msg) override;

    bool HitBounds();

    // Sprite slots. The setters only store: they neither kill the sprite they
    // replace nor hand the new one to the engine.
    Sprite* GetCurrentSprite() const { return m_pCurrentSprite.Get(); }
    void SetCurrentSprite(Sprite* pSprite) { m_pCurrentSprite.Set(pSprite); }
    void ResetCurrentSprite() { m_pCurrentSprite.Reset(); }
    // Kills the current sprite; its place stays known to the next state.
    void KillCurrentSprite() { m_pCurrentSprite.Kill(); }
    Sprite* GetSecondarySprite() const { return m_pSecondarySprite.Get(); }
    void SetSecondarySprite(Sprite* pSprite) { m_pSecondarySprite.Set(pSprite); }
    void ResetSecondarySprite() { m_pSecondarySprite.Reset(); }

    // A new sprite where the current sprite stands (or stood, when killed),
    // not yet stored in a slot nor handed to the engine.
    Sprite* CreateSprite(Bitmap* pBitmap, RECT& rcBounds, int iNumFrames, int iFrameDelay, POINT ptVelocity,
                         int iZOrder);
    // CreateSprite, stored as the current sprite and handed to the engine.
    Sprite* ShowSprite(Bitmap* pBitmap, RECT& rcBounds, int iNumFrames, int iFrameDelay, POINT ptVelocity,
                       int iZOrder);

    RECT& GetPosition() { return m_pCurrentSprite.Position(); }
    int GetPositionX() { return GetPosition().left; }
    int GetPositionY() { return GetPosition().top; }
    RECT GetWindowBounds() const { return m_rcWindowBounds; }
    RECT GetWaterFall() const { return m_rcWaterFall; }

    bool GetBlending() const { return m_pBlending; }
    void SetBlending(bool bBlending) { m_pBlending = bBlending; }
    bool FishIsBlended() const { return m_bFishIsBlended; }
    void SetFishIsBlended(bool bFishIsBlended) { m_bFishIsBlended = bFishIsBlended; }
    bool Canceled() const { return m_bCanceled; }
    void SetCanceled(bool bCanceled) { m_bCanceled = bCanceled; }
    bool PoorFish() const { return m_bPoorFish; }
    void SetPoorFish(bool bPoorFish) { m_bPoorFish = bPoorFish; }
    bool Saved() const { return m_bSaved; }
    void SetSaved(bool bSaved) { m_bSaved = bSaved; }

    StateMachine<Blender>* GetFSM() const { return m_pStateMachine; }
    GameEngine* GetEngine() const { return m_pEngine; }
    Bitmap* GetBlenderCalmBitmap() const { return m_pBlenderCalmBitmap; }
    Bitmap* GetBlenderTurningBitmap() const { return m_pBlenderTurningBitmap; }
    Bitmap* GetBlenderUpSideDownBitmap() const { return m_pBlenderUpSideDownBitmap; }
    Bitmap* GetBlenderWaterAndLidBitmap() const { return m_pBlenderWaterAndLidBitmap; }
    Bitmap* GetBlenderShakingBitmap() const { return m_pBlenderShakingBitmap; }
    Bitmap* GetBlenderShakingBloodyBitmap() const { return m_pBlenderShakingBloodyBitmap; }
    Bitmap* GetBlenderBloodyFishGooBitmap() const { return m_pBlenderBloodyFishGooBitmap; }

    Blender(const Blender&) = delete;
    Blender& operator=(const Blender&) = delete;
};
