#include "Fish/SwimTowardPlayer.h"

#include <iostream>

#include "Engine/LoggedSend.h"
#include "Engine/Framework.h"
#include "Engine/MessageDispatcher.h"
#include "Fish/Fish.h"
#include "Fish/Panic.h"
#include "Fish/SwimRight.h"

SwimTowardPlayer::SwimTowardPlayer() : SpriteState(8, 6, POINT{0, 0}, 20) {}

void SwimTowardPlayer::Enter(Fish* pFish) {
    pFish->SetJustKeepSwimming(false);
    m_pBitmap = pFish->GetSwimTowardPlayerBitmap();
    m_rcBounds = pFish->GetWindowBounds();
    pFish->HandOver("SwimTowardPlayer::Enter: ", m_pBitmap, m_rcBounds, m_iNumFrames, m_iFrameDelay, m_ptVelocity,
                    m_iZOrder);

    SendLogged("SwimTowardPlayer", 5000, pFish->ID(), pFish->ID(), Msg_JustKeepSwimming);
}

void SwimTowardPlayer::Execute(Fish* pFish) {
    if (pFish->Panic()) {
        pFish->GetFSM()->ChangeState(Panic::Instance());
    } else if (pFish->Blending()) {
        // keeps facing the player while the blender runs
    } else if (pFish->GetJustKeepSwimming()) {
        pFish->SetSwimmingToCenter(false);
        pFish->GetFSM()->ChangeState(SwimRight::Instance());
    }
}

void SwimTowardPlayer::Exit(Fish* pFish) {
    // While the blender runs the front view stays alive for the panic state.
    if (!pFish->Blending()) pFish->KillCurrentSprite();
}

bool SwimTowardPlayer::OnMessage(Fish* pFish, const Telegram& msg) {
    std::cout << "SwimTowardPlayer received a telegram." << std::endl;
    if (msg.Msg == Msg_JustKeepSwimming) {
        pFish->SetJustKeepSwimming(true);
        std::cout << "Message 'Msg_JustKeepSwimming' Accepted!" << std::endl << std::endl;
        return true;
    }
    return pFish->NoteSwimmingNews(msg);
}
