#include "Fish/SwimLeft.h"

#include <iostream>

#include "Fish/Fish.h"
#include "Fish/SwimRight.h"

SwimLeft::SwimLeft() : SpriteState(8, 6, POINT{-2, 0}, 20) {}

void SwimLeft::Enter(Fish* pFish) {
    m_pBitmap = pFish->GetSwimLeftBitmap();
    m_rcBounds = pFish->Blending() ? pFish->GetLeftCenterSideOfBlender() : pFish->GetLeftSideOfBlender();
    pFish->HandOver("SwimLeft::Enter: ", m_pBitmap, m_rcBounds, m_iNumFrames, m_iFrameDelay, m_ptVelocity,
                    m_iZOrder);
}

void SwimLeft::Execute(Fish* pFish) {
    if (pFish->HitBounds()) {
        pFish->SetSwimmingToCenter(true);
        pFish->GetFSM()->ChangeState(SwimRight::Instance());
    }
}

void SwimLeft::Exit(Fish* pFish) { pFish->KillCurrentSprite(); }

bool SwimLeft::OnMessage(Fish* pFish, const Telegram& msg) {
    std::cout << "SwimLeft received a telegram." << std::endl;
    return pFish->NoteSwimmingNews(msg);
}
