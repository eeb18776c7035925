#include "Screen/DeathScoresScreen.h"

#include <iostream>

#include "Engine/Framework.h"
#include "Screen/DemoScreen.h"
#include "Screen/SavedScoresScreen.h"
#include "Screen/Screen.h"

DeathScoresScreen::DeathScoresScreen() : SpriteState(1, 0, POINT{0, 0}, 30) {}

void DeathScoresScreen::Enter(Screen* pScreen) {
    m_pBitmap = pScreen->GetDeathScoreBitmap();
    m_rcBounds = pScreen->GetWindowBounds();
    pScreen->SetLookingAtScores(true);

    // The sprite left behind may be long deleted: the slot gives where it stood.
    pScreen->WritePositionLine("DeathScoresScreen::Enter: ", false);

    pScreen->ShowSprite(m_pBitmap, m_rcBounds, m_iNumFrames, m_iFrameDelay, m_ptVelocity, m_iZOrder);

    pScreen->WritePositionLine("DeathScoresScreen::Enter: ", true);

    if (pScreen->GameOver()) pScreen->SendNewGameMessage();
}

void DeathScoresScreen::Exit(Screen* pScreen) {
    pScreen->KillCurrentSprite();
    pScreen->SetLookingAtScores(false);
}

bool DeathScoresScreen::OnMessage(Screen* pScreen, const Telegram& msg) {
    std::cout << "DeathScoresScreen received a telegram." << std::endl;
    switch (msg.Msg) {
        case Msg_CreditInserted:
            std::cout << "Message 'CreditInserted' Accepted!" << std::endl << std::endl;
            if (!pScreen->GameOver()) pScreen->GetFSM()->ChangeState(DemoScreen::Instance());
            return true;
        case Msg_CycleHighScores:
            std::cout << "Message 'CycleHighScores' Accepted!" << std::endl << std::endl;
            if (!pScreen->GameOver()) pScreen->GetFSM()->ChangeState(SavedScoresScreen::Instance());
            return true;
        case Msg_NewGame:
            std::cout << "Message 'NewGame' Accepted!" << std::endl << std::endl;
            if (pScreen->GameOver()) pScreen->ResetAllEntities();
            return true;
        default:
            return false;
    }
}
