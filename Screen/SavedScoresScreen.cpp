#include "Screen/SavedScoresScreen.h"

#include <iostream>

#include "EntityIDs.h"
#include "Engine/LoggedSend.h"
#include "Engine/Framework.h"
#include "Engine/MessageDispatcher.h"
#include "Screen/DemoScreen.h"
#include "Screen/Screen.h"

namespace {
}

SavedScoresScreen::SavedScoresScreen() : SpriteState(1, 0, POINT{0, 0}, 30) {}

void SavedScoresScreen::Enter(Screen* pScreen) {
    m_pBitmap = pScreen->GetSavedScoreBitmap();
    m_rcBounds = pScreen->GetWindowBounds();
    pScreen->SetLookingAtScores(true);

    // The sprite left behind may be long deleted: the slot gives where it stood.
    pScreen->WritePositionLine("SavedScoresScreen::Enter: ", false);

    pScreen->ShowSprite(m_pBitmap, m_rcBounds, m_iNumFrames, m_iFrameDelay, m_ptVelocity, m_iZOrder);

    SendLogged("SavedScoresScreen", 0, pScreen->ID(), FishID, Msg_FlopAway);

    pScreen->WritePositionLine("SavedScoresScreen::Enter: ", true);

    if (pScreen->GameOver()) pScreen->SendNewGameMessage();
}

void SavedScoresScreen::Exit(Screen* pScreen) {
    pScreen->KillCurrentSprite();
    SendLogged("SavedScoresScreen", 0, pScreen->ID(), FishID, Msg_Reset);
    pScreen->SetLookingAtScores(false);
}

bool SavedScoresScreen::OnMessage(Screen* pScreen, const Telegram& msg) {
    std::cout << "SavedScoresScreen received a telegram." << std::endl;
    switch (msg.Msg) {
        case Msg_CreditInserted:
            std::cout << "Message 'CreditInserted' Accepted!" << std::endl << std::endl;
            if (!pScreen->GameOver()) pScreen->GetFSM()->ChangeState(DemoScreen::Instance());
            return true;
        case Msg_CycleHighScores:
            std::cout << "Message 'CycleHighScores' Accepted!" << std::endl << std::endl;
            if (!pScreen->GameOver()) pScreen->GetFSM()->ChangeState(DemoScreen::Instance());
            return true;
        case Msg_NewGame:
            std::cout << "Message 'NewGame' Accepted!" << std::endl << std::endl;
            if (pScreen->GameOver()) pScreen->ResetAllEntities();
            return true;
        default:
            return false;
    }
}
