#include "Blender/Calm.h"

#include <iostream>

#include "Blender/Blender.h"
#include "Blender/Blending.h"
#include "Blender/FlipOver.h"

Calm::Calm() : SpriteState(1, 0, POINT{0, 0}, 10) {}

void Calm::Enter(Blender* pBlender) {
    m_pBitmap = pBlender->GetBlenderCalmBitmap();
    m_rcBounds = pBlender->GetWindowBounds();

    pBlender->WritePosition("Calm::Enter: ");
    pBlender->ShowSprite(m_pBitmap, m_rcBounds, m_iNumFrames, m_iFrameDelay, m_ptVelocity, m_iZOrder);
    pBlender->ResetSecondarySprite();
    pBlender->WritePosition("Calm::Enter: ");
    pBlender->WriteStatus();
}

void Calm::Execute(Blender* pBlender) {
    if (pBlender->GetBlending()) {
        std::cout << "Calm::Execute - Current Blender status: m_pBlending = " << pBlender->GetBlending() << std::endl
                  << std::endl;
        pBlender->GetFSM()->ChangeState(Blending::Instance());
    } else if (pBlender->Saved()) {
        pBlender->GetFSM()->ChangeState(FlipOver::Instance());
    }
}

void Calm::Exit(Blender* pBlender) { pBlender->KillCurrentSprite(); }

bool Calm::OnMessage(Blender*, const Telegram&) {
    std::cout << "Calm received a telegram." << std::endl;
    return false;
}
