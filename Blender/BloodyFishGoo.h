// The blended fish: the blender spins on, its water turns to blood when the
// fish lies dead, and it shows the goo once the button is let go.
#pragma once

#include "Engine/Bitmap.h"
#include "Engine/State.h"
#include "Platform/Win32.h"

class Blender;

class BloodyFishGoo : public State<Blender> {
private:
    Bitmap* m_pBitmap;
    int m_iNumFrames;
    int m_iFrameDelay;
    POINT m_ptVelocity;
    int m_iZOrder;
    RECT m_rcBounds;

    BloodyFishGoo();

public:
    static BloodyFishGoo* Instance();

    void Enter(Blender* pBlender) override;
    void Execute(Blender* pBlender) override;
    void Exit(Blender* pBlender) override;
    bool OnMessage(Blender* pBlender, const Telegram& msg) override;

    // Swaps the spinning blender for the bloody one, spinning as fast.
    void ChangeWaterToBlood(Blender* pBlender);

    BloodyFishGoo(const BloodyFishGoo&) = delete;
    BloodyFishGoo& operator=(const BloodyFishGoo&) = delete;
};
