#include "Blender/Blender.h"

#include <iostream>

#include "Blender/BlenderGlobalState.h"
#include "Blender/Calm.h"

Blender::Blender(int id, GameEngine* pEngine, Bitmap* pCalm, Bitmap* pTurning, Bitmap* pUpSideDown,
                 Bitmap* pWaterAndLid, Bitmap* pShaking, Bitmap* pShakingBloody, Bitmap* pBloodyFishGoo)
    : BaseGameEntity(id),
      m_pBitmap(pCalm),
      m_pEngine(pEngine),
      m_pStateMachine(nullptr),
      m_pBlenderCalmBitmap(pCalm),
      m_pBlenderTurningBitmap(pTurning),
      m_pBlenderUpSideDownBitmap(pUpSideDown),
      m_pBlenderWaterAndLidBitmap(pWaterAndLid),
      m_pBlenderShakingBitmap(pShaking),
      m_pBlenderShakingBloodyBitmap(pShakingBloody),
      m_pBlenderBloodyFishGooBitmap(pBloodyFishGoo),
      m_rcWindowBounds{-1, -1, 641, 481},
      m_rcWaterFall{-1, -1, 641, 962},
      m_pBlending(false),
      m_bFishIsBlended(false),
      m_bCanceled(false),
      m_bPoorFish(false),
      m_bSaved(false) {
    std::cout << "Instantiating Blender: ID# " << id << std::endl;
    m_pStateMachine = new StateMachine<Blender>(this);
    m_pStateMachine->SetGlobalState(BlenderGlobalState::Instance());
}

// The sprites belong to the engine's list and the bitmaps to the game.
Blender::~Blender() { delete m_pStateMachine; }

void Blender::Initialize() {
    ResetCurrentSprite();
    ResetSecondarySprite();

    m_pBlending = false;
    m_bFishIsBlended = false;
    m_bCanceled = false;
    m_bPoorFish = false;
    m_bSaved = false;

    m_pStateMachine->SetCurrentState(Calm::Instance());

    Sprite* pSprite = MakeSprite(m_pBitmap, m_rcWindowBounds, 0, 0, 1, 0, POINT{0, 0}, 10);
    SetCurrentSprite(pSprite);
    m_pEngine->AddSprite(pSprite);

    WritePosition("Blender::Initialize: ");
    WriteStatus();
}

void Blender::Update() { m_pStateMachine->Update(); }

bool Blender::HandleMessage(const Telegram& msg) {
    std::cout << "Blender::HandleMessage - Routing telegram to m_pStateMachine." << std::endl;
    return m_pStateMachine->HandleMessage(msg);
}

bool Blender::HitBounds() {
    Sprite* pSprite = GetCurrentSprite();
    return pSprite != nullptr && pSprite->GetBoundHit();
}

Sprite* Blender::CreateSprite(Bitmap* pBitmap, RECT& rcBounds, int iNumFrames, int iFrameDelay,
                              POINT ptVelocity, int iZOrder) {
    return MakeSprite(pBitmap, rcBounds, GetPositionX(), GetPositionY(), iNumFrames, iFrameDelay, ptVelocity, iZOrder);
}

Sprite* Blender::ShowSprite(Bitmap* pBitmap, RECT& rcBounds, int iNumFrames, int iFrameDelay,
                            POINT ptVelocity, int iZOrder) {
    Sprite* pSprite = CreateSprite(pBitmap, rcBounds, iNumFrames, iFrameDelay, ptVelocity, iZOrder);
    SetCurrentSprite(pSprite);
    m_pEngine->AddSprite(pSprite);
    return pSprite;
}

void Blender::WritePosition(const char* szPrefix) {
    const RECT& rc = GetPosition();
    std::cout << szPrefix << GetPositionX() << " " << GetPositionY() << " " << rc.right << " " << rc.bottom
              << std::endl;
}

void Blender::WriteStatus() const {
    std::cout << "Current Blender status: m_pBlending = " << m_pBlending << std::endl << std::endl;
}
