// The saved-fish score board: shown when the fish was saved, and second in the
// idle cycle of the boards. The fish flops away while it is up.
#pragma once

#include "Engine/Bitmap.h"
#include "Engine/State.h"

class Screen;

class SavedScoresScreen : public State<Screen> {
private:
    Bitmap* m_pBitmap;
    int m_iNumFrames;
    int m_iFrameDelay;
    POINT m_ptVelocity;
    int m_iZOrder;
    RECT m_rcBounds;

    SavedScoresScreen();

public:
    static SavedScoresScreen* Instance();

    void Enter(Screen* pScreen) override;
    void Execute(Screen*) override {}
    void Exit(Screen* pScreen) override;
    bool OnMessage(Screen* pScreen, const Telegram& msg) override;

    SavedScoresScreen(const SavedScoresScreen&) = delete;
    SavedScoresScreen& operator=(const SavedScoresScreen&) = delete;
};
