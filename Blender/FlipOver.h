// The flip that saves the fish: the blender turns over, then shows itself
// upside down while its water and lid fall out of the window.
#pragma once

#include "Engine/Bitmap.h"
#include "Engine/State.h"
#include "Platform/Win32.h"

class Blender;

class FlipOver : public State<Blender> {
private:
    Bitmap* m_pBitmap;
    int m_iNumFrames;
    int m_iFrameDelay;
    POINT m_ptVelocity;
    int m_iZOrder;
    RECT m_rcBounds;

    FlipOver();

public:
    static FlipOver* Instance();

    void Enter(Blender* pBlender) override;
    void Execute(Blender* pBlender) override;
    void Exit(Blender* pBlender) override;
    bool OnMessage(Blender* pBlender, const Telegram& msg) override;

    // The upside-down blender, the falling water and lid, and the news for the fish.
    void WaterFall(Blender* pBlender);

    FlipOver(const FlipOver&) = delete;
    FlipOver& operator=(const FlipOver&) = delete;
};
