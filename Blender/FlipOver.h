// The flip that saves the fish: the blender turns over, then shows itself
// upside down while its water and lid fall out of the window.
#pragma once

#include "Engine/SingletonState.h"

class Blender;

class FlipOver : public SpriteState<Blender, FlipOver> {
public:
    // The upside-down blender, the falling water and lid, and the news for the fish.
    void WaterFall(Blender* pBlender);

private:
    friend class SingletonState<Blender, FlipOver>;
    FlipOver();

public:
    void Enter(Blender* pBlender) override;
    void Execute(Blender* pBlender) override;
    void Exit(Blender* pBlender) override;
    bool OnMessage(Blender* pBlender, const Telegram& msg) override;
};
