#include "Blender/Blending.h"

#include <iostream>

#include "Blender/Blender.h"
#include "Blender/BloodyFishGoo.h"
#include "Blender/Calm.h"
#include "Blender/FlipOver.h"
#include "EntityIDs.h"
#include "Engine/LoggedSend.h"
#include "Engine/Framework.h"
#include "Engine/MessageDispatcher.h"

Blending::Blending() : SpriteState(8, 11, POINT{0, 0}, 10) {}

void Blending::Enter(Blender* pBlender) {
    m_pBitmap = pBlender->GetBlenderShakingBitmap();
    m_rcBounds = pBlender->GetWindowBounds();
    pBlender->SetFishIsBlended(false);

    pBlender->WritePosition("Blending::Enter: ");
    pBlender->ShowSprite(m_pBitmap, m_rcBounds, m_iNumFrames, m_iFrameDelay, m_ptVelocity, m_iZOrder);
    pBlender->ResetSecondarySprite();
    pBlender->WritePosition("Blending::Enter: ");
    std::cout << "WARNING!: Only low power mode available at this time." << std::endl;
    pBlender->WriteStatus();

    SendLogged("Blending", 0, pBlender->ID(), ScreenID, Msg_BlenderOn);
    SendLogged("Blending", 0, pBlender->ID(), FishID, Msg_BlenderOn);
}

void Blending::Execute(Blender* pBlender) {
    if (pBlender->Saved()) {
        pBlender->SetCanceled(true);
        SendLogged("Blending", 0, pBlender->ID(), ScreenID, Msg_CancelBlending);
        // Changes to FlipOver while this call is still running; nothing below
        // may touch the state.
        SendLogged("Blending", 0, pBlender->ID(), pBlender->ID(), Msg_Flip);
    } else if (pBlender->FishIsBlended()) {
        std::cout << "Bloody graphics ahead!" << std::endl << std::endl;
        pBlender->GetFSM()->ChangeState(BloodyFishGoo::Instance());
    } else if (!pBlender->GetBlending()) {
        std::cout << "Blending::Execute - Current Blender status: m_pBlending = " << pBlender->GetBlending()
                  << std::endl
                  << std::endl;
        SendLogged("Blending", 0, pBlender->ID(), ScreenID, Msg_BlenderOff);
        SendLogged("Blending", 0, pBlender->ID(), FishID, Msg_BlenderOff);
        pBlender->GetFSM()->ChangeState(Calm::Instance());
    }
}

void Blending::Exit(Blender* pBlender) {
    // Only BloodyFishGoo takes the spinning sprite over; a pending flip must not leave it spinning behind.
    if (!(pBlender->FishIsBlended() && !pBlender->Saved())) pBlender->KillCurrentSprite();
}

bool Blending::OnMessage(Blender* pBlender, const Telegram& msg) {
    std::cout << "Blending received a telegram." << std::endl;
    switch (msg.Msg) {
        case Msg_BloodyFishGoo:
            std::cout << "Message 'Msg_BloodyFishGoo' Accepted!" << std::endl << std::endl;
            if (!pBlender->Canceled()) pBlender->SetFishIsBlended(true);
            return true;
        case Msg_SpeedUp:
            std::cout << "Message 'Msg_SpeedUp' Accepted!" << std::endl << std::endl;
            if (Sprite* pSprite = pBlender->GetCurrentSprite()) pSprite->SetFrameDelay(pSprite->GetFrameDelay() - 1);
            return true;
        case Msg_Flip:
            std::cout << "Message 'Msg_Flip' Accepted!" << std::endl << std::endl;
            pBlender->GetFSM()->ChangeState(FlipOver::Instance());
            return true;
        default:
            return false;
    }
}
