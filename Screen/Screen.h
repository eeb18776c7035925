// The Screen entity: the game's display and coin box. Keeps the credits, the
// speedometer reading and the flags the controls consult, and owns the
// background sprite and the one sprite its states lay over it (title banner or
// a score board).
#pragma once

#include "Engine/BaseGameEntity.h"
#include "Engine/Bitmap.h"
#include "Engine/Framework.h"
#include "Engine/GameEngine.h"
#include "Engine/Sprite.h"
#include "Engine/SpriteSlot.h"
#include "Engine/StateMachine.h"
#include "Engine/Telegram.h"

class Screen : public BaseGameEntity {
private:
    SpriteSlot m_pCurrentSprite;
    SpriteSlot m_pSecondarySprite;
    Bitmap* m_pBitmap;
    GameEngine* m_pEngine;
    StateMachine<Screen>* m_pStateMachine;
    Bitmap* m_pBackgroundBitmap;
    Bitmap* m_pTitleScreenBitmap;
    Bitmap* m_pSavedScoreBitmap;
    Bitmap* m_pDeathScoreBitmap;
    RECT m_rcWindowBounds;
    int m_iSpeed;
    int m_iCredits;
    bool m_bGameOver;
    bool m_bCanceled;
    bool m_bLookingAtScores;
    // Due tick of the self speed-up scheduled last, once one has been.
    int m_iSpeedUpDue;
    bool m_bSpeedUpScheduled;

    void SendTelegram(int iDelay, int iReceiver, MessageType msg, const char* szName);

public:
    // The prefix and the current sprite's left, top, right and bottom (where
    // it stood, once killed).
    void WritePositionLine(const char* szPrefix, bool bBlankLine);
    // A sprite at (0, 0), stored as the current sprite and handed to the engine.
    void ShowSprite(Bitmap* pBitmap, RECT rcBounds, int iNumFrames, int iFrameDelay, POINT ptVelocity, int iZOrder);

    Screen(int id, GameEngine* pEngine, Bitmap* pBackground, Bitmap* pTitleScreen, Bitmap* pSavedScore,
           Bitmap* pDeathScore);
    ~Screen() override;

    void Initialize();
    void Update() override;
    bool HandleMessage(const Telegram& msg) override;

    // Credits and game control
    void AddCredit();
    void DecCredit() { --m_iCredits; }
    int GetCredits() const { return m_iCredits; }
    void SetCredits(int iCredits) { m_iCredits = iCredits; }
    void CycleHighScores();
    void SendNewGameMessage();
    void ResetAllEntities();
    void ResetEntity(int id);

    // Sprites
    void ResetCurrentSprite() { m_pCurrentSprite.Reset(); }
    void ResetSecondarySprite() { m_pSecondarySprite.Reset(); }
    // Tells the top sprite to die and keeps naming it, so its place stays known.
    void KillCurrentSprite() { m_pCurrentSprite.Kill(); }
    Sprite* GetCurrentSprite() const { return m_pCurrentSprite.Get(); }
    void SetCurrentSprite(Sprite* pSprite) { m_pCurrentSprite.Set(pSprite); }
    Sprite* GetSecondarySprite() const { return m_pSecondarySprite.Get(); }
    void SetSecondarySprite(Sprite* pSprite) { m_pSecondarySprite.Set(pSprite); }
    RECT& GetPosition() { return m_pCurrentSprite.Position(); }
    int GetPositionX() { return GetPosition().left; }
    int GetPositionY() { return GetPosition().top; }
    bool HitBounds() const;

    // Plain accessors
    int GetSpeed() const { return m_iSpeed; }
    void SetSpeed(int iSpeed) { m_iSpeed = iSpeed; }
    bool GameOver() const { return m_bGameOver; }
    void SetGameOver(bool bGameOver) { m_bGameOver = bGameOver; }
    bool Canceled() const { return m_bCanceled; }
    void SetCanceled(bool bCanceled) { m_bCanceled = bCanceled; }
    bool LookingAtScores() const { return m_bLookingAtScores; }
    void SetLookingAtScores(bool bLookingAtScores) { m_bLookingAtScores = bLookingAtScores; }
    RECT GetWindowBounds() const { return m_rcWindowBounds; }
    GameEngine* GetEngine() const { return m_pEngine; }
    StateMachine<Screen>* GetFSM() const { return m_pStateMachine; }
    Bitmap* GetTitleScreenBitmap() const { return m_pTitleScreenBitmap; }
    Bitmap* GetSavedScoreBitmap() const { return m_pSavedScoreBitmap; }
    Bitmap* GetDeathScoreBitmap() const { return m_pDeathScoreBitmap; }

    // The self speed-up the speedometer scheduled last, until the next game.
    void SetSpeedUpDue(int iDue) {
        m_iSpeedUpDue = iDue;
        m_bSpeedUpScheduled = true;
    }
    bool SpeedUpScheduled() const { return m_bSpeedUpScheduled; }
    int GetSpeedUpDue() const { return m_iSpeedUpDue; }

    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;
};
