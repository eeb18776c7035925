// The blended-fish score board: shown when the fish was blended, and first in
// the idle cycle of the boards.
#pragma once

#include "Engine/SingletonState.h"

class Screen;

class DeathScoresScreen : public SpriteState<Screen, DeathScoresScreen> {
private:
    friend class SingletonState<Screen, DeathScoresScreen>;
    DeathScoresScreen();

public:
    void Enter(Screen* pScreen) override;
    void Execute(Screen*) override {}
    void Exit(Screen* pScreen) override;
    bool OnMessage(Screen* pScreen, const Telegram& msg) override;
};
