// Runs beside every fish state: resets the fish, and takes it out of any state
// when it is saved or sent flopping away.
#pragma once

#include "Engine/State.h"
#include "Engine/Telegram.h"

class Fish;

class FishGlobalState : public State<Fish> {
private:
    FishGlobalState() {}

public:
    static FishGlobalState* Instance();

    void Enter(Fish*) override {}
    void Execute(Fish*) override {}
    void Exit(Fish*) override {}
    bool OnMessage(Fish* pFish, const Telegram& msg) override;

    FishGlobalState(const FishGlobalState&) = delete;
    FishGlobalState& operator=(const FishGlobalState&) = delete;
};
