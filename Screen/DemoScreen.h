// The Screen's attract state: the title banner over the background, waiting
// for the blender to start, for the score boards, or for a flip of the idle
// blender.
#pragma once

#include "Engine/Bitmap.h"
#include "Engine/State.h"

class Screen;

class DemoScreen : public State<Screen> {
private:
    Bitmap* m_pBitmap;
    int m_iNumFrames;
    int m_iFrameDelay;
    POINT m_ptVelocity;
    int m_iZOrder;
    RECT m_rcBounds;

    DemoScreen();

public:
    static DemoScreen* Instance();

    void Enter(Screen* pScreen) override;
    void Execute(Screen*) override {}
    void Exit(Screen* pScreen) override;
    bool OnMessage(Screen* pScreen, const Telegram& msg) override;

    DemoScreen(const DemoScreen&) = delete;
    DemoScreen& operator=(const DemoScreen&) = delete;
};
