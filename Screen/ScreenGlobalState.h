// The Screen's global state: beside whichever state is current, it takes the
// reset that starts a new game.
#pragma once

#include "Engine/State.h"

class Screen;

class ScreenGlobalState : public State<Screen> {
private:
    ScreenGlobalState() {}

public:
    static ScreenGlobalState* Instance();

    void Enter(Screen*) override {}
    void Execute(Screen*) override {}
    void Exit(Screen*) override {}
    bool OnMessage(Screen* pScreen, const Telegram& msg) override;

    ScreenGlobalState(const ScreenGlobalState&) = delete;
    ScreenGlobalState& operator=(const ScreenGlobalState&) = delete;
};
