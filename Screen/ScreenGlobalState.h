// The Screen's global state: beside whichever state is current, it takes the
// reset that starts a new game.
#pragma once

#include "Engine/GlobalState.h"

class Screen;

class ScreenGlobalState : public GlobalState<Screen, ScreenGlobalState> {
private:
    friend class SingletonState<Screen, ScreenGlobalState>;
    ScreenGlobalState() {}

public:
    bool OnMessage(Screen* pScreen, const Telegram& msg) override;
};
