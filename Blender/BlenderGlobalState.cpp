#include "Blender/BlenderGlobalState.h"

#include <iostream>

#include "Blender/Blender.h"
#include "Engine/Framework.h"

bool BlenderGlobalState::OnMessage(Blender* pBlender, const Telegram& msg) {
    std::cout << "BlenderGlobalState received a telegram." << std::endl;
    return TakeReset(pBlender, msg);
}
