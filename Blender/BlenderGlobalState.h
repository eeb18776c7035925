// Runs beside every Blender state; its one task is the reset of a new game.
#pragma once

#include "Engine/State.h"

class Blender;

class BlenderGlobalState : public State<Blender> {
private:
    BlenderGlobalState() {}

public:
    static BlenderGlobalState* Instance();

    void Enter(Blender*) override {}
    void Execute(Blender*) override {}
    void Exit(Blender*) override {}
    bool OnMessage(Blender* pBlender, const Telegram& msg) override;

    BlenderGlobalState(const BlenderGlobalState&) = delete;
    BlenderGlobalState& operator=(const BlenderGlobalState&) = delete;
};
