// The saved fish hops left along the floor until it has left the window.
#pragma once

#include "Engine/SingletonState.h"

class Fish;

class FlopAway : public SpriteState<Fish, FlopAway> {
public:
    // Starts a rising hop.
    void Bounce(Fish* pFish);
    // Starts a falling hop.
    void Fall(Fish* pFish);

private:
    friend class SingletonState<Fish, FlopAway>;
    FlopAway();

public:
    void Enter(Fish* pFish) override;
    void Execute(Fish* pFish) override;
    void Exit(Fish* pFish) override;
    bool OnMessage(Fish* pFish, const Telegram& msg) override;
};
