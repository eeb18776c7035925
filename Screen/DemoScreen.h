// The Screen's attract state: the title banner over the background, waiting
// for the blender to start, for the score boards, or for a flip of the idle
// blender.
#pragma once

#include "Engine/SingletonState.h"

class Screen;

class DemoScreen : public SpriteState<Screen, DemoScreen> {
private:
    friend class SingletonState<Screen, DemoScreen>;
    DemoScreen();

public:
    void Enter(Screen* pScreen) override;
    void Execute(Screen*) override {}
    void Exit(Screen* pScreen) override;
    bool OnMessage(Screen* pScreen, const Telegram& msg) override;
};
