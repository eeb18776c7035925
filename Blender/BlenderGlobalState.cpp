#include "Blender/BlenderGlobalState.h"

#include <iostream>

#include "Blender/Blender.h"
#include "Engine/Framework.h"
#include "Engine/Telegram.h"

bool BlenderGlobalState::OnMessage(Blender* pBlender, const Telegram& msg) {
    std::cout << "BlenderGlobalState received a telegram." << std::endl;
    if (msg.Msg != Msg_Reset) return false;
    std::cout << "Message 'Msg_Reset' Accepted!" << std::endl << std::endl;
    pBlender->Initialize();
    return true;
}
