#include "Screen/SavedScoresScreen.h"

#include <iostream>

#include "Engine/Framework.h"
#include "Engine/MessageDispatcher.h"
#include "Screen/DemoScreen.h"
#include "Screen/Screen.h"

namespace {
const int kFishID = 1;
}

SavedScoresScreen::SavedScoresScreen()
    : m_pBitmap(nullptr), m_iNumFrames(1), m_iFrameDelay(0), m_ptVelocity{0, 0}, m_iZOrder(30), m_rcBounds{} {}

SavedScoresScreen* SavedScoresScreen::Instance() {
    static SavedScoresScreen instance;
    return &instance;
}

void SavedScoresScreen::Enter(Screen* pScreen) {
    m_pBitmap = pScreen->GetSavedScoreBitmap();
    m_rcBounds = pScreen->GetWindowBounds();
    pScreen->SetLookingAtScores(true);

    // The sprite left behind may be long deleted: the slot gives where it stood.
    pScreen->WritePositionLine("SavedScoresScreen::Enter: ", false);

    Sprite* pBoard =
        Screen::CreateStillSprite(m_pBitmap, m_rcBounds, m_iNumFrames, m_iFrameDelay, m_ptVelocity, m_iZOrder);
    pScreen->SetCurrentSprite(pBoard);
    pScreen->GetEngine()->AddSprite(pBoard);

    std::cout << "SavedScoresScreen is writing a message." << std::endl;
    MessageDispatcher::Instance()->DispatchMessage(0, pScreen->ID(), kFishID, Msg_FlopAway, nullptr);
    std::cout << "SavedScoresScreen just sent message." << std::endl << std::endl;

    pScreen->WritePositionLine("SavedScoresScreen::Enter: ", true);

    if (pScreen->GameOver()) pScreen->SendNewGameMessage();
}

void SavedScoresScreen::Exit(Screen* pScreen) {
    pScreen->KillCurrentSprite();
    std::cout << "SavedScoresScreen is writing a message." << std::endl;
    MessageDispatcher::Instance()->DispatchMessage(0, pScreen->ID(), kFishID, Msg_Reset, nullptr);
    std::cout << "SavedScoresScreen just sent message." << std::endl << std::endl;
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
