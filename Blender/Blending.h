// The spinning blender: faster at every speed step, until the button is
// released, the player flips, or the fish is blended.
#pragma once

#include "Engine/Bitmap.h"
#include "Engine/State.h"
#include "Platform/Win32.h"

class Blender;

class Blending : public State<Blender> {
private:
    Bitmap* m_pBitmap;
    int m_iNumFrames;
    int m_iFrameDelay;
    POINT m_ptVelocity;
    int m_iZOrder;
    RECT m_rcBounds;

    Blending();

public:
    static Blending* Instance();

    void Enter(Blender* pBlender) override;
    void Execute(Blender* pBlender) override;
    void Exit(Blender* pBlender) override;
    bool OnMessage(Blender* pBlender, const Telegram& msg) override;

    Blending(const Blending&) = delete;
    Blending& operator=(const Blending&) = delete;
};
