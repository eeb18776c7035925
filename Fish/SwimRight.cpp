#include "Fish/SwimRight.h"

#include <iostream>

#include "Fish/Fish.h"
#include "Fish/SwimLeft.h"
#include "Fish/SwimTowardPlayer.h"

SwimRight::SwimRight() : SpriteState(8, 6, POINT{2, 0}, 20) {}

void SwimRight::Enter(Fish* pFish) {
    m_pBitmap = pFish->GetSwimRightBitmap();
    m_rcBounds = pFish->GetSwimmingToCenter() ? pFish->GetCenterOfBlender() : pFish->GetRightSideOfBlender();
    pFish->HandOver("SwimRight::Enter: ", m_pBitmap, m_rcBounds, m_iNumFrames, m_iFrameDelay, m_ptVelocity,
                    m_iZOrder);
}

void SwimRight::Execute(Fish* pFish) {
    if (!pFish->HitBounds()) return;
    if (pFish->GetSwimmingToCenter())
        pFish->GetFSM()->ChangeState(SwimTowardPlayer::Instance());
    else
        pFish->GetFSM()->ChangeState(SwimLeft::Instance());
}

void SwimRight::Exit(Fish* pFish) { pFish->KillCurrentSprite(); }

bool SwimRight::OnMessage(Fish* pFish, const Telegram& msg) {
    std::cout << "SwimRight received a telegram." << std::endl;
    return pFish->NoteSwimmingNews(msg);
}
