#include "Screen/DeathScoresScreen.h"

#include <iostream>

#include "Screen/SavedScoresScreen.h"
#include "Screen/ScoreBoards.h"
#include "Screen/Screen.h"

DeathScoresScreen::DeathScoresScreen() : SpriteState(1, 0, POINT{0, 0}, 30) {}

void DeathScoresScreen::Enter(Screen* pScreen) {
    m_pBitmap = pScreen->GetDeathScoreBitmap();
    m_rcBounds = pScreen->GetWindowBounds();
    scoreboards::Show(pScreen, "DeathScoresScreen::Enter: ", m_pBitmap, m_rcBounds, m_iNumFrames, m_iFrameDelay,
                      m_ptVelocity, m_iZOrder);
    scoreboards::Shown(pScreen, "DeathScoresScreen::Enter: ");
}

void DeathScoresScreen::Exit(Screen* pScreen) {
    pScreen->KillCurrentSprite();
    pScreen->SetLookingAtScores(false);
}

bool DeathScoresScreen::OnMessage(Screen* pScreen, const Telegram& msg) {
    std::cout << "DeathScoresScreen received a telegram." << std::endl;
    return scoreboards::OnMessage(pScreen, msg, SavedScoresScreen::Instance());
}
