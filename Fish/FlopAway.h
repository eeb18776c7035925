// The saved fish hops left along the floor until it has left the window.
#pragma once

#include "Engine/Bitmap.h"
#include "Engine/State.h"
#include "Engine/Telegram.h"
#include "Platform/Win32.h"

class Fish;

class FlopAway : public State<Fish> {
private:
    Bitmap* m_pBitmap;
    int m_iNumFrames;
    int m_iFrameDelay;
    POINT m_ptVelocity;
    int m_iZOrder;
    RECT m_rcBounds;

    FlopAway();

public:
    static FlopAway* Instance();

    void Enter(Fish* pFish) override;
    void Execute(Fish* pFish) override;
    void Exit(Fish* pFish) override;
    bool OnMessage(Fish* pFish, const Telegram& msg) override;

    // Starts a rising hop.
    void Bounce(Fish* pFish);
    // Starts a falling hop.
    void Fall(Fish* pFish);

    FlopAway(const FlopAway&) = delete;
    FlopAway& operator=(const FlopAway&) = delete;
};
