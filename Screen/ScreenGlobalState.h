// The Screen's global state: beside whichever state is current, it takes the
// reset that starts a new game.
#pragma once

#include "Engine/SingletonState.h"

class Screen;

class ScreenGlobalState : public SingletonState<Screen, ScreenGlobalState> {
private:
    friend class SingletonState<Screen, ScreenGlobalState>;
    ScreenGlobalState() {}

public:
    void Enter(Screen*) override {}
    void Execute(Screen*) override {}
    void Exit(Screen*) override {}
    bool OnMessage(Screen* pScreen, const Telegram& msg) override;
};
