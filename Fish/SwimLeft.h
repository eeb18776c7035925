// The fish swims left; with the blender on it turns back nearer the centre.
#pragma once

#include "Engine/SingletonState.h"

class Fish;

class SwimLeft : public SpriteState<Fish, SwimLeft> {
private:
    friend class SingletonState<Fish, SwimLeft>;
    SwimLeft();

public:
    void Enter(Fish* pFish) override;
    void Execute(Fish* pFish) override;
    void Exit(Fish* pFish) override;
    bool OnMessage(Fish* pFish, const Telegram& msg) override;
};
