#include "Screen/SavedScoresScreen.h"

#include <iostream>

#include "Engine/Framework.h"
#include "Engine/LoggedSend.h"
#include "EntityIDs.h"
#include "Screen/DemoScreen.h"
#include "Screen/ScoreBoards.h"
#include "Screen/Screen.h"

SavedScoresScreen::SavedScoresScreen() : SpriteState(1, 0, POINT{0, 0}, 30) {}

void SavedScoresScreen::Enter(Screen* pScreen) {
    m_pBitmap = pScreen->GetSavedScoreBitmap();
    m_rcBounds = pScreen->GetWindowBounds();
    scoreboards::Show(pScreen, "SavedScoresScreen::Enter: ", m_pBitmap, m_rcBounds, m_iNumFrames, m_iFrameDelay,
                      m_ptVelocity, m_iZOrder);
    // The fish flops away while the board is up, also when the boards are only cycled.
    SendLogged("SavedScoresScreen", 0, pScreen->ID(), FishID, Msg_FlopAway);
    scoreboards::Shown(pScreen, "SavedScoresScreen::Enter: ");
}

void SavedScoresScreen::Exit(Screen* pScreen) {
    pScreen->KillCurrentSprite();
    SendLogged("SavedScoresScreen", 0, pScreen->ID(), FishID, Msg_Reset);
    pScreen->SetLookingAtScores(false);
}

bool SavedScoresScreen::OnMessage(Screen* pScreen, const Telegram& msg) {
    std::cout << "SavedScoresScreen received a telegram." << std::endl;
    return scoreboards::OnMessage(pScreen, msg, DemoScreen::Instance());
}
