#include "Screen/DemoScreen.h"

#include <iostream>

#include "Engine/Framework.h"
#include "Screen/DeathScoresScreen.h"
#include "Screen/SavedScoresScreen.h"
#include "Screen/Screen.h"
#include "Screen/SpeedometerScreen.h"

DemoScreen::DemoScreen() : SpriteState(1, 0, POINT{0, 0}, 30) {}

void DemoScreen::Enter(Screen* pScreen) {
    m_pBitmap = pScreen->GetTitleScreenBitmap();
    m_rcBounds = pScreen->GetWindowBounds();

    // Coming from the speedometer, the banner is long deleted: the slot gives where it stood.
    pScreen->WritePositionLine("DemoScreen::Enter: ", false);

    pScreen->ShowSprite(m_pBitmap, m_rcBounds, m_iNumFrames, m_iFrameDelay, m_ptVelocity, m_iZOrder);

    pScreen->WritePositionLine("DemoScreen::Enter: ", true);
}

void DemoScreen::Exit(Screen* pScreen) { pScreen->KillCurrentSprite(); }

bool DemoScreen::OnMessage(Screen* pScreen, const Telegram& msg) {
    std::cout << "DemoScreen received a telegram." << std::endl;
    switch (msg.Msg) {
        case Msg_BlenderOn:
            std::cout << "Message 'Msg_BlenderOn' Accepted!" << std::endl << std::endl;
            pScreen->GetFSM()->ChangeState(SpeedometerScreen::Instance());
            return true;
        case Msg_CycleHighScores:
            std::cout << "Message 'CycleHighScores' Accepted!" << std::endl << std::endl;
            pScreen->GetFSM()->ChangeState(DeathScoresScreen::Instance());
            return true;
        case Msg_ShowSavedScores:
            std::cout << "Message 'Msg_ShowSavedScores' Accepted!" << std::endl << std::endl;
            pScreen->GetFSM()->ChangeState(SavedScoresScreen::Instance());
            return true;
        case Msg_HideTitle:
            std::cout << "Message 'HideTitle' Accepted!" << std::endl << std::endl;
            // Only a live banner is hidden; a killed one may already be deleted.
            if (Sprite* pBanner = pScreen->GetCurrentSprite()) pBanner->SetHidden(TRUE);
            return true;
        case Msg_GameOver:
            std::cout << "Message 'GameOver' Accepted!" << std::endl << std::endl;
            pScreen->SetGameOver(true);
            return true;
        default:
            return false;
    }
}
