#include "Blender/BloodyFishGoo.h"

#include <iostream>

#include "Blender/Blender.h"
#include "EntityIDs.h"
#include "Engine/LoggedSend.h"
#include "Engine/Framework.h"
#include "Engine/MessageDispatcher.h"

BloodyFishGoo::BloodyFishGoo() : SpriteState(1, 0, POINT{0, 0}, 10) {}

void BloodyFishGoo::Enter(Blender* pBlender) {
    m_pBitmap = pBlender->GetBlenderBloodyFishGooBitmap();
    m_rcBounds = pBlender->GetWindowBounds();

    SendLogged("BloodyFishGoo", 0, pBlender->ID(), FishID, Msg_Die);
    pBlender->WritePosition("BloodyFishGoo::Enter: ");
    pBlender->WriteStatus();
}

void BloodyFishGoo::Execute(Blender* pBlender) {
    if (pBlender->GetBlending() || !pBlender->PoorFish()) return;

    std::cout << "BloodyFishGoo::Execute - Current Blender status: m_pBlending = " << pBlender->GetBlending()
              << std::endl
              << std::endl;
    SendLogged("BloodyFishGoo", 0, pBlender->ID(), FishID, Msg_Rip);
    pBlender->SetPoorFish(false);
    pBlender->KillCurrentSprite();
    pBlender->ShowSprite(m_pBitmap, m_rcBounds, m_iNumFrames, m_iFrameDelay, m_ptVelocity, m_iZOrder);
}

void BloodyFishGoo::Exit(Blender* pBlender) { pBlender->KillCurrentSprite(); }

bool BloodyFishGoo::OnMessage(Blender* pBlender, const Telegram& msg) {
    std::cout << "BloodyFishGoo received a telegram." << std::endl;
    if (msg.Msg != Msg_FishDead) return false;
    ChangeWaterToBlood(pBlender);
    pBlender->SetPoorFish(true);
    return true;
}

void BloodyFishGoo::ChangeWaterToBlood(Blender* pBlender) {
    // The spinning sprite's speed is taken before the kill; a killed sprite is never read.
    Sprite* pSpinning = pBlender->GetCurrentSprite();
    const int iFrameDelay = pSpinning ? pSpinning->GetFrameDelay() : m_iFrameDelay;
    pBlender->KillCurrentSprite();
    pBlender->ShowSprite(pBlender->GetBlenderShakingBloodyBitmap(), m_rcBounds, 8, iFrameDelay, m_ptVelocity,
                         m_iZOrder);
}
