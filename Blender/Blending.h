// The spinning blender: faster at every speed step, until the button is
// released, the player flips, or the fish is blended.
#pragma once

#include "Engine/SingletonState.h"

class Blender;

class Blending : public SpriteState<Blender, Blending> {
private:
    friend class SingletonState<Blender, Blending>;
    Blending();

public:
    void Enter(Blender* pBlender) override;
    void Execute(Blender* pBlender) override;
    void Exit(Blender* pBlender) override;
    bool OnMessage(Blender* pBlender, const Telegram& msg) override;
};
