// Runs beside every fish state: resets the fish, and takes it out of any state
// when it is saved or sent flopping away.
#pragma once

#include "Engine/GlobalState.h"

class Fish;

class FishGlobalState : public GlobalState<Fish, FishGlobalState> {
private:
    friend class SingletonState<Fish, FishGlobalState>;
    FishGlobalState() {}

public:
    bool OnMessage(Fish* pFish, const Telegram& msg) override;
};
