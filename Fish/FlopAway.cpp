#include "Fish/FlopAway.h"

#include <iostream>

#include "Engine/LoggedSend.h"
#include "Engine/Framework.h"
#include "Engine/MessageDispatcher.h"
#include "Fish/Fish.h"

FlopAway::FlopAway() : SpriteState(1, 0, POINT{-8, -6}, 35) {}

void FlopAway::Enter(Fish* pFish) {
    m_pBitmap = pFish->GetJump1Bitmap();
    m_rcBounds = pFish->GetFlopAway1();
    pFish->SetFalling(false);
    pFish->SetJustKeepSwimming(true);

    // With no sprite left the entry line shows where the fish was last seen.
    pFish->WritePosition("FlopAway::Enter: ");
    Sprite* pSprite =
        MakeSprite(m_pBitmap, m_rcBounds, 640, 394, m_iNumFrames, m_iFrameDelay, m_ptVelocity, m_iZOrder);
    pFish->SetCurrentSprite(pSprite);
    pFish->GetEngine()->AddSprite(pSprite);
    pFish->ResetSecondarySprite();

    pFish->WritePosition("FlopAway::Enter: ", true);
}

void FlopAway::Execute(Fish* pFish) {
    if (!pFish->GetJustKeepSwimming() || !pFish->HitBounds()) return;

    if (pFish->Falling()) {
        SendLogged("FlopAway", 250, pFish->ID(), pFish->ID(), Msg_Jump);
        pFish->SetJustKeepSwimming(false);
        pFish->SetFalling(false);
    } else {
        Fall(pFish);
    }
}

void FlopAway::Exit(Fish* pFish) { pFish->ResetCurrentSprite(); }

bool FlopAway::OnMessage(Fish* pFish, const Telegram& msg) {
    std::cout << "FlopAway received a telegram." << std::endl;
    if (msg.Msg != Msg_Jump) return false;

    std::cout << "Message 'Jump' Accepted!" << std::endl << std::endl;
    pFish->SetJustKeepSwimming(true);
    Bounce(pFish);
    return true;
}

void FlopAway::Bounce(Fish* pFish) {
    pFish->KillCurrentSprite();
    Sprite* pSprite = MakeSprite(pFish->GetJump1Bitmap(), m_rcBounds, pFish->GetPositionX(),
                                        pFish->GetPositionY(), m_iNumFrames, m_iFrameDelay, m_ptVelocity, m_iZOrder);
    pFish->SetCurrentSprite(pSprite);
    pFish->GetEngine()->AddSprite(pSprite);
    pFish->SetFalling(false);
}

void FlopAway::Fall(Fish* pFish) {
    pFish->KillCurrentSprite();
    Sprite* pSprite = MakeSprite(pFish->GetJump2Bitmap(), pFish->GetFlopAway2(), pFish->GetPositionX(),
                                        pFish->GetPositionY(), 1, 0, POINT{-8, 6}, 35);
    pFish->SetCurrentSprite(pSprite);
    pFish->GetEngine()->AddSprite(pSprite);
    pFish->SetFalling(true);
}
