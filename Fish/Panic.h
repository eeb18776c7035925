// The fish panics over its front view; gives up, sinks and dies when blended.
#pragma once

#include "Engine/SingletonState.h"

class Fish;

class Panic : public SpriteState<Fish, Panic> {
public:
    // Replaces the panic sprite by the give-up picture.
    void GoingDown(Fish* pFish);

private:
    friend class SingletonState<Fish, Panic>;
    Panic();

public:
    void Enter(Fish* pFish) override;
    void Execute(Fish* pFish) override;
    void Exit(Fish* pFish) override;
    bool OnMessage(Fish* pFish, const Telegram& msg) override;
};
