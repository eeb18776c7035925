// The fish panics over its front view; gives up, sinks and dies when blended.
#pragma once

#include "Engine/Bitmap.h"
#include "Engine/State.h"
#include "Engine/Telegram.h"
#include "Platform/Win32.h"

class Fish;

class Panic : public State<Fish> {
private:
    Bitmap* m_pBitmap;
    int m_iNumFrames;
    int m_iFrameDelay;
    POINT m_ptVelocity;
    int m_iZOrder;
    RECT m_rcBounds;

    Panic();

public:
    static Panic* Instance();

    void Enter(Fish* pFish) override;
    void Execute(Fish* pFish) override;
    void Exit(Fish* pFish) override;
    bool OnMessage(Fish* pFish, const Telegram& msg) override;

    // Replaces the panic sprite by the give-up picture.
    void GoingDown(Fish* pFish);

    Panic(const Panic&) = delete;
    Panic& operator=(const Panic&) = delete;
};
