// The fish swims right, to the centre or to the right side of the blender.
#pragma once

#include "Engine/SingletonState.h"

class Fish;

class SwimRight : public SpriteState<Fish, SwimRight> {
private:
    friend class SingletonState<Fish, SwimRight>;
    SwimRight();

public:
    void Enter(Fish* pFish) override;
    void Execute(Fish* pFish) override;
    void Exit(Fish* pFish) override;
    bool OnMessage(Fish* pFish, const Telegram& msg) override;
};
