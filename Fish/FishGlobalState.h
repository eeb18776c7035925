// Runs beside every fish state: resets the fish, and takes it out of any state
// when it is saved or sent flopping away.
#pragma once

#include "Engine/SingletonState.h"

class Fish;

class FishGlobalState : public SingletonState<Fish, FishGlobalState> {
private:
    friend class SingletonState<Fish, FishGlobalState>;
    FishGlobalState() {}

public:
    void Enter(Fish*) override {}
    void Execute(Fish*) override {}
    void Exit(Fish*) override {}
    bool OnMessage(Fish* pFish, const Telegram& msg) override;
};
