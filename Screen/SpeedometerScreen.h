// The Screen's state while the blender runs: counts the speed reading from 1
// to 10 with self-addressed speed-ups, passes every step to the Blender, warns
// the Fish at 5 and 7 and has the fish blended at 10.
#pragma once

#include "Engine/SingletonState.h"

class Screen;

class SpeedometerScreen : public SingletonState<Screen, SpeedometerScreen> {
private:
    friend class SingletonState<Screen, SpeedometerScreen>;
    SpeedometerScreen() {}

    bool AwaitedSpeedUp(Screen* pScreen, const Telegram& msg) const;
    void SpeedUp(Screen* pScreen);
    void SendWarning(Screen* pScreen, int iMsg, const char* szName, int iReceiver);

public:
    void Enter(Screen* pScreen) override;
    void Execute(Screen*) override {}
    void Exit(Screen*) override {}
    bool OnMessage(Screen* pScreen, const Telegram& msg) override;

    void SendSpeedUpMessage(Screen* pScreen, int iDelay, int iReceiver);
};
