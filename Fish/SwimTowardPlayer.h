// The fish faces the player and rests; panics from here once warned.
#pragma once

#include "Engine/SingletonState.h"

class Fish;

class SwimTowardPlayer : public SpriteState<Fish, SwimTowardPlayer> {
private:
    friend class SingletonState<Fish, SwimTowardPlayer>;
    SwimTowardPlayer();

public:
    void Enter(Fish* pFish) override;
    void Execute(Fish* pFish) override;
    void Exit(Fish* pFish) override;
    bool OnMessage(Fish* pFish, const Telegram& msg) override;
};
