#include "Fish/Fish.h"

#include <iostream>

#include "Engine/Framework.h"
#include "Fish/FishGlobalState.h"
#include "Fish/SwimLeft.h"

Fish::Fish(int id, GameEngine* pEngine, Bitmap* pSwimLeft, Bitmap* pSwimRight, Bitmap* pSwimTowardPlayer,
           Bitmap* pFlailLeft, Bitmap* pJump1, Bitmap* pJump2, Bitmap* pPanic, Bitmap* pGiveUp, Bitmap* pAngel)
    : BaseGameEntity(id),
      m_pBitmap(pSwimLeft),
      m_pEngine(pEngine),
      m_pStateMachine(nullptr),
      m_pSwimLeftBitmap(pSwimLeft),
      m_pSwimRightBitmap(pSwimRight),
      m_pSwimTowardPlayerBitmap(pSwimTowardPlayer),
      m_pFlailLeftBitmap(pFlailLeft),
      m_pJump1Bitmap(pJump1),
      m_pJump2Bitmap(pJump2),
      m_pPanicBitmap(pPanic),
      m_pGiveUpBitmap(pGiveUp),
      m_pAngelBitmap(pAngel),
      m_rcWindowBounds{0, 0, 640, 480},
      m_rcBottomOfBlender{0, 0, 640, 460},
      m_rcFlopAway1{-115, 310, 756, 481},
      m_rcFlopAway2{-115, 309, 756, 480},
      m_rcLeftSideOfBlender{200, 0, 640, 480},
      m_rcCenterOfBlender{0, 0, 380, 480},
      m_rcLeftCenterSideOfBlender{265, 0, 640, 480},
      m_rcLowerCenterOfBlender{0, 0, 640, 365},
      m_rcRightSideOfBlender{0, 0, 435, 480},
      m_rcFishHeaven{0, -85, 640, 480},
      m_bSwimmingToCenter(false),
      m_bJustKeepSwimming(false),
      m_bBlending(false),
      m_bPanic(false),
      m_bGiveUp(false),
      m_bStillAlive(true),
      m_bAscended(false),
      m_bFalling(false) {
    std::cout << "Instantiating Fish: ID# " << id << std::endl;
    m_pStateMachine = new StateMachine<Fish>(this);
    m_pStateMachine->SetGlobalState(FishGlobalState::Instance());
}

Fish::~Fish() { delete m_pStateMachine; }

void Fish::Initialize() {
    ResetCurrentSprite();
    ResetSecondarySprite();
    ResetSpeechBubbleSprite();

    m_bSwimmingToCenter = false;
    m_bJustKeepSwimming = false;
    m_bBlending = false;
    m_bPanic = false;
    m_bGiveUp = false;
    m_bStillAlive = true;
    m_bAscended = false;
    m_bFalling = false;

    m_pStateMachine->SetCurrentState(SwimLeft::Instance());

    Sprite* pSprite = MakeSprite(m_pBitmap, m_rcLeftSideOfBlender, 250, 200, 8, 6, POINT{-2, 0}, 20);
    SetCurrentSprite(pSprite);
    m_pEngine->AddSprite(pSprite);

    WritePosition("Fish::Initialize: ", true);
}

void Fish::Update() { m_pStateMachine->Update(); }

bool Fish::HandleMessage(const Telegram& msg) {
    std::cout << "Fish::HandleMessage - Routing telegram to m_pStateMachine." << std::endl;
    return m_pStateMachine->HandleMessage(msg);
}

bool Fish::HitBounds() const {
    // A fish without a live sprite has nothing that could meet its bounds.
    Sprite* pSprite = GetCurrentSprite();
    return pSprite != nullptr && pSprite->GetBoundHit();
}

void Fish::WritePosition(const char* szPrefix, bool bBlankLine) {
    RECT& rc = GetPosition();
    std::cout << szPrefix << GetPositionX() << " " << GetPositionY() << " " << rc.right << " " << rc.bottom
              << std::endl;
    if (bBlankLine) std::cout << std::endl;
}

void Fish::HandOver(const char* szPrefix, Bitmap* pBitmap, RECT rcBounds, int iNumFrames, int iFrameDelay,
                    POINT ptVelocity, int iZOrder) {
    WritePosition(szPrefix);
    Sprite* pSprite =
        MakeSprite(pBitmap, rcBounds, GetPositionX(), GetPositionY(), iNumFrames, iFrameDelay, ptVelocity, iZOrder);
    SetCurrentSprite(pSprite);
    m_pEngine->AddSprite(pSprite);
    ResetSecondarySprite();
    WritePosition(szPrefix, true);
}

bool Fish::NoteSwimmingNews(const Telegram& msg) {
    switch (msg.Msg) {
        case Msg_BlenderOn:
            m_bBlending = true;
            std::cout << "Message 'Msg_BlenderOn' Accepted!" << std::endl << std::endl;
            return true;
        case Msg_BlenderOff:
            m_bBlending = false;
            std::cout << "Message 'Msg_BlenderOff' Accepted!" << std::endl << std::endl;
            return true;
        case Msg_Panic:
            m_bPanic = true;
            std::cout << "Message 'Msg_Panic' Accepted!" << std::endl << std::endl;
            return true;
        default:
            return false;
    }
}
