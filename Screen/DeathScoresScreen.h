// The blended-fish score board: shown when the fish was blended, and first in
// the idle cycle of the boards.
#pragma once

#include "Engine/Bitmap.h"
#include "Engine/State.h"

class Screen;

class DeathScoresScreen : public State<Screen> {
private:
    Bitmap* m_pBitmap;
    int m_iNumFrames;
    int m_iFrameDelay;
    POINT m_ptVelocity;
    int m_iZOrder;
    RECT m_rcBounds;

    DeathScoresScreen();

public:
    static DeathScoresScreen* Instance();

    void Enter(Screen* pScreen) override;
    void Execute(Screen*) override {}
    void Exit(Screen* pScreen) override;
    bool OnMessage(Screen* pScreen, const Telegram& msg) override;

    DeathScoresScreen(const DeathScoresScreen&) = delete;
    DeathScoresScreen& operator=(const DeathScoresScreen&) = delete;
};
