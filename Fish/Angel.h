// The blended fish rises out of the window as an angel.
#pragma once

#include "Engine/Bitmap.h"
#include "Engine/State.h"
#include "Engine/Telegram.h"
#include "Platform/Win32.h"

class Fish;

class Angel : public State<Fish> {
private:
    Bitmap* m_pBitmap;
    int m_iNumFrames;
    int m_iFrameDelay;
    POINT m_ptVelocity;
    int m_iZOrder;
    RECT m_rcBounds;

    Angel();

public:
    static Angel* Instance();

    void Enter(Fish* pFish) override;
    void Execute(Fish* pFish) override;
    void Exit(Fish* pFish) override;
    bool OnMessage(Fish* pFish, const Telegram& msg) override;

    Angel(const Angel&) = delete;
    Angel& operator=(const Angel&) = delete;
};
