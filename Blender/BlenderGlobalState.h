// Runs beside every Blender state; its one task is the reset of a new game.
#pragma once

#include "Engine/SingletonState.h"

class Blender;

class BlenderGlobalState : public SingletonState<Blender, BlenderGlobalState> {
private:
    friend class SingletonState<Blender, BlenderGlobalState>;
    BlenderGlobalState() {}

public:
    void Enter(Blender*) override {}
    void Execute(Blender*) override {}
    void Exit(Blender*) override {}
    bool OnMessage(Blender* pBlender, const Telegram& msg) override;
};
