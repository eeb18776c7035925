#include "Fish/Panic.h"

#include <iostream>

#include "EntityIDs.h"
#include "Engine/LoggedSend.h"
#include "Engine/Framework.h"
#include "Engine/MessageDispatcher.h"
#include "Fish/Angel.h"
#include "Fish/Fish.h"

namespace {
}  // namespace

Panic::Panic() : SpriteState(6, 5, POINT{0, 0}, 21) {}

void Panic::Enter(Fish* pFish) {
    m_pBitmap = pFish->GetPanicBitmap();
    m_rcBounds = pFish->GetLowerCenterOfBlender();
    pFish->WritePosition("Panic::Enter: ");

    Sprite* pPanicSprite = MakeSprite(m_pBitmap, m_rcBounds, pFish->GetPositionX(), pFish->GetPositionY(),
                                             m_iNumFrames, m_iFrameDelay, m_ptVelocity, m_iZOrder);
    pFish->ResetSecondarySprite();
    // A front view already killed on the way here counts as gone: the engine deletes it before long.
    if (Sprite* pFrontView = pFish->GetCurrentSprite()) {
        pFish->SetSecondarySprite(pFrontView);
        pFrontView->SetFrameDelay(3);
    }
    pFish->SetCurrentSprite(pPanicSprite);
    pFish->GetEngine()->AddSprite(pPanicSprite);

    pFish->WritePosition("Panic::Enter: ", true);
}

void Panic::Execute(Fish* pFish) {
    if (!pFish->StillAlive()) return;

    if (pFish->HitBounds()) {
        pFish->SetStillAlive(false);
        pFish->ResetCurrentSprite();
        pFish->ResetSecondarySprite();

        SendLogged("Panic", 0, pFish->ID(), BlenderID, Msg_FishDead);
    } else if (!pFish->Blending() && !pFish->GiveUp()) {
        pFish->Initialize();
    }
}

void Panic::Exit(Fish* pFish) {
    if (pFish->GiveUp())
        pFish->ResetCurrentSprite();
    else
        pFish->KillCurrentSprite();
    pFish->ResetSecondarySprite();
    pFish->ResetSpeechBubbleSprite();
}

bool Panic::OnMessage(Fish* pFish, const Telegram& msg) {
    std::cout << "Panic received a telegram." << std::endl;
    switch (msg.Msg) {
        case Msg_Talk:
            std::cout << "Message 'Msg_Talk' Accepted!" << std::endl << std::endl;
            return true;

        case Msg_Die:
            std::cout << "Message 'Msg_Die' Accepted!" << std::endl << std::endl;
            pFish->SetGiveUp(true);
            GoingDown(pFish);

            SendLogged("Panic", 3000, pFish->ID(), pFish->ID(), Msg_GoodbyeCruelWorld);

            SendLogged("Panic", 0, pFish->ID(), ScreenID, Msg_GameOver);
            return true;

        case Msg_GoodbyeCruelWorld:
            std::cout << "Message 'Msg_GoodbyeCruelWorld' Accepted!" << std::endl << std::endl;
            pFish->ResetSpeechBubbleSprite();
            // A fish that already vanished has no sprites left to sink.
            if (Sprite* pCurrent = pFish->GetCurrentSprite()) pCurrent->SetVelocity(0, 3);
            if (Sprite* pFrontView = pFish->GetSecondarySprite()) {
                pFrontView->SetVelocity(0, 3);
                pFrontView->SetFrameDelay(1);
            }
            return true;

        case Msg_Rip:
            pFish->GetFSM()->ChangeState(Angel::Instance());
            std::cout << "Message 'Msg_Rip' Accepted!" << std::endl << std::endl;
            return true;

        case Msg_BlenderOff:
            std::cout << "Message 'Msg_BlenderOff' Accepted!" << std::endl << std::endl;
            pFish->SetBlending(false);
            return true;

        default:
            return false;
    }
}

void Panic::GoingDown(Fish* pFish) {
    pFish->KillCurrentSprite();
    Sprite* pGiveUpSprite = MakeSprite(pFish->GetGiveUpBitmap(), m_rcBounds, pFish->GetPositionX(),
                                              pFish->GetPositionY(), 1, 0, m_ptVelocity, m_iZOrder);
    pFish->SetCurrentSprite(pGiveUpSprite);
    pFish->GetEngine()->AddSprite(pGiveUpSprite);
    // A front view that was already gone when the panic began has nothing left to speed up.
    if (Sprite* pFrontView = pFish->GetSecondarySprite()) pFrontView->SetFrameDelay(2);
}
