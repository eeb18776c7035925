#include "Blender/Calm.h"

#include <iostream>

#include "Blender/Blender.h"
#include "Blender/Blending.h"
#include "Blender/FlipOver.h"

Calm::Calm()
    : m_pBitmap(nullptr), m_iNumFrames(1), m_iFrameDelay(0), m_ptVelocity{0, 0}, m_iZOrder(10), m_rcBounds{0, 0, 0, 0} {}

Calm* Calm::Instance() {
    static Calm instance;
    return &instance;
}

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
