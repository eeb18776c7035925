// The rescued fish drops to the floor of the upturned blender and flails.
#pragma once

#include "Engine/SingletonState.h"

class Fish;

class Saved : public SpriteState<Fish, Saved> {
private:
    friend class SingletonState<Fish, Saved>;
    Saved();

public:
    void Enter(Fish* pFish) override;
    void Execute(Fish* pFish) override;
    void Exit(Fish* pFish) override;
    bool OnMessage(Fish* pFish, const Telegram& msg) override;
};
