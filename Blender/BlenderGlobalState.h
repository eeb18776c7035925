// Runs beside every Blender state; its one task is the reset of a new game.
#pragma once

#include "Engine/GlobalState.h"

class Blender;

class BlenderGlobalState : public GlobalState<Blender, BlenderGlobalState> {
private:
    friend class SingletonState<Blender, BlenderGlobalState>;
    BlenderGlobalState() {}

public:
    bool OnMessage(Blender* pBlender, const Telegram& msg) override;
};
