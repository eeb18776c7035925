// The still blender, waiting for the blender button or a flip.
#pragma once

#include "Engine/SingletonState.h"

class Blender;

class Calm : public SpriteState<Blender, Calm> {
private:
    friend class SingletonState<Blender, Calm>;
    Calm();

public:
    void Enter(Blender* pBlender) override;
    void Execute(Blender* pBlender) override;
    void Exit(Blender* pBlender) override;
    bool OnMessage(Blender* pBlender, const Telegram& msg) override;
};
