// The fish faces the player and rests; panics from here once warned.
#pragma once

#include "Engine/Bitmap.h"
#include "Engine/State.h"
#include "Engine/Telegram.h"
#include "Platform/Win32.h"

class Fish;

class SwimTowardPlayer : public State<Fish> {
private:
    Bitmap* m_pBitmap;
    int m_iNumFrames;
    int m_iFrameDelay;
    POINT m_ptVelocity;
    int m_iZOrder;
    RECT m_rcBounds;

    SwimTowardPlayer();

public:
    static SwimTowardPlayer* Instance();

    void Enter(Fish* pFish) override;
    void Execute(Fish* pFish) override;
    void Exit(Fish* pFish) override;
    bool OnMessage(Fish* pFish, const Telegram& msg) override;

    SwimTowardPlayer(const SwimTowardPlayer&) = delete;
    SwimTowardPlayer& operator=(const SwimTowardPlayer&) = delete;
};
