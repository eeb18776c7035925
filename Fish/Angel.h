// The blended fish rises out of the window as an angel.
#pragma once

#include "Engine/SingletonState.h"

class Fish;

class Angel : public SpriteState<Fish, Angel> {
private:
    friend class SingletonState<Fish, Angel>;
    Angel();

public:
    void Enter(Fish* pFish) override;
    void Execute(Fish* pFish) override;
    void Exit(Fish* pFish) override;
    bool OnMessage(Fish* pFish, const Telegram& msg) override;
};
