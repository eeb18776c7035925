// The blended fish: the blender spins on, its water turns to blood when the
// fish lies dead, and it shows the goo once the button is let go.
#pragma once

#include "Engine/SingletonState.h"

class Blender;

class BloodyFishGoo : public SpriteState<Blender, BloodyFishGoo> {
public:
    // Swaps the spinning blender for the bloody one, spinning as fast.
    void ChangeWaterToBlood(Blender* pBlender);

private:
    friend class SingletonState<Blender, BloodyFishGoo>;
    BloodyFishGoo();

public:
    void Enter(Blender* pBlender) override;
    void Execute(Blender* pBlender) override;
    void Exit(Blender* pBlender) override;
    bool OnMessage(Blender* pBlender, const Telegram& msg) override;
};
