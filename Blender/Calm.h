// The still blender, waiting for the blender button or a flip.
#pragma once

#include "Engine/Bitmap.h"
#include "Engine/State.h"
#include "Platform/Win32.h"

class Blender;

class Calm : public State<Blender> {
private:
    Bitmap* m_pBitmap;
    int m_iNumFrames;
    int m_iFrameDelay;
    POINT m_ptVelocity;
    int m_iZOrder;
    RECT m_rcBounds;

    Calm();

public:
    static Calm* Instance();

    void Enter(Blender* pBlender) override;
    void Execute(Blender* pBlender) override;
    void Exit(Blender* pBlender) override;
    bool OnMessage(Blender* pBlender, const Telegram& msg) override;

    Calm(const Calm&) = delete;
    Calm& operator=(const Calm&) = delete;
};
