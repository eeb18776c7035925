// The fish swims right, to the centre or to the right side of the blender.
#pragma once

#include "Engine/Bitmap.h"
#include "Engine/State.h"
#include "Engine/Telegram.h"
#include "Platform/Win32.h"

class Fish;

class SwimRight : public State<Fish> {
private:
    Bitmap* m_pBitmap;
    int m_iNumFrames;
    int m_iFrameDelay;
    POINT m_ptVelocity;
    int m_iZOrder;
    RECT m_rcBounds;

    SwimRight();

public:
    static SwimRight* Instance();

    void Enter(Fish* pFish) override;
    void Execute(Fish* pFish) override;
    void Exit(Fish* pFish) override;
    bool OnMessage(Fish* pFish, const Telegram& msg) override;

    SwimRight(const SwimRight&) = delete;
    SwimRight& operator=(const SwimRight&) = delete;
};
