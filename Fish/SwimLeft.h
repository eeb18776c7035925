// The fish swims left; with the blender on it turns back nearer the centre.
#pragma once

#include "Engine/Bitmap.h"
#include "Engine/State.h"
#include "Engine/Telegram.h"
#include "Platform/Win32.h"

class Fish;

class SwimLeft : public State<Fish> {
private:
    Bitmap* m_pBitmap;
    int m_iNumFrames;
    int m_iFrameDelay;
    POINT m_ptVelocity;
    int m_iZOrder;
    RECT m_rcBounds;

    SwimLeft();

public:
    static SwimLeft* Instance();

    void Enter(Fish* pFish) override;
    void Execute(Fish* pFish) override;
    void Exit(Fish* pFish) override;
    bool OnMessage(Fish* pFish, const Telegram& msg) override;

    SwimLeft(const SwimLeft&) = delete;
    SwimLeft& operator=(const SwimLeft&) = delete;
};
