#include "Blender/FlipOver.h"

#include <iostream>

#include "Blender/Blender.h"
#include "EntityIDs.h"
#include "Engine/LoggedSend.h"
#include "Engine/Framework.h"
#include "Engine/MessageDispatcher.h"

namespace {

const int iGravityDelay = 300;
const int iUpSideDownZOrder = 21;
const int iWaterFallSpeed = 10;

}  // namespace

FlipOver::FlipOver() : SpriteState(5, 2, POINT{0, 0}, 10) {}

void FlipOver::Enter(Blender* pBlender) {
    m_pBitmap = pBlender->GetBlenderTurningBitmap();
    m_rcBounds = pBlender->GetWindowBounds();

    pBlender->WritePosition("FlipOver::Enter: ");
    Sprite* pTurning =
        pBlender->CreateSprite(m_pBitmap, m_rcBounds, m_iNumFrames, m_iFrameDelay, m_ptVelocity, m_iZOrder);
    // A looping strip ignores the flag: the turn goes round until the water falls.
    pTurning->SetFreezeFrame(true);
    pBlender->SetCurrentSprite(pTurning);
    pBlender->GetEngine()->AddSprite(pTurning);
    pBlender->ResetSecondarySprite();
    pBlender->WritePosition("FlipOver::Enter: ");
    pBlender->WriteStatus();

    SendLogged("FlipOver", iGravityDelay, pBlender->ID(), pBlender->ID(), Msg_Gravity);
    SendLogged("FlipOver", 0, pBlender->ID(), ScreenID, Msg_HideTitle);
    SendLogged("FlipOver", 0, pBlender->ID(), ScreenID, Msg_GameOver);
}

void FlipOver::Execute(Blender*) {}

void FlipOver::Exit(Blender* pBlender) {
    pBlender->ResetCurrentSprite();
    pBlender->ResetSecondarySprite();
}

bool FlipOver::OnMessage(Blender* pBlender, const Telegram& msg) {
    std::cout << "FlipOver received a telegram." << std::endl;
    if (msg.Msg != Msg_Gravity) return false;
    std::cout << "Message 'Msg_Gravity' Accepted!" << std::endl << std::endl;
    WaterFall(pBlender);
    return true;
}

void FlipOver::WaterFall(Blender* pBlender) {
    pBlender->KillCurrentSprite();
    pBlender->ShowSprite(pBlender->GetBlenderUpSideDownBitmap(), m_rcBounds, 1, 0, m_ptVelocity, iUpSideDownZOrder);

    RECT rcWaterFall = pBlender->GetWaterFall();
    POINT ptFall = {m_ptVelocity.x, iWaterFallSpeed};
    Sprite* pWater = pBlender->CreateSprite(pBlender->GetBlenderWaterAndLidBitmap(), rcWaterFall, 1, 0, ptFall, m_iZOrder);
    // A water sprite from an earlier fall is killed, not left behind in the engine's list.
    pBlender->ResetSecondarySprite();
    pBlender->SetSecondarySprite(pWater);
    pBlender->GetEngine()->AddSprite(pWater);

    SendLogged("FlipOver", 0, pBlender->ID(), FishID, Msg_Saved);
}
