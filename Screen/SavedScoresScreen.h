// The saved-fish score board: shown when the fish was saved, and second in the
// idle cycle of the boards. The fish flops away while it is up.
#pragma once

#include "Engine/SingletonState.h"

class Screen;

class SavedScoresScreen : public SpriteState<Screen, SavedScoresScreen> {
private:
    friend class SingletonState<Screen, SavedScoresScreen>;
    SavedScoresScreen();

public:
    void Enter(Screen* pScreen) override;
    void Execute(Screen*) override {}
    void Exit(Screen* pScreen) override;
    bool OnMessage(Screen* pScreen, const Telegram& msg) override;
};
