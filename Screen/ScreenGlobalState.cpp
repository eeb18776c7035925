#include "Screen/ScreenGlobalState.h"

#include <iostream>

#include "Engine/Framework.h"
#include "Screen/Screen.h"

bool ScreenGlobalState::OnMessage(Screen* pScreen, const Telegram& msg) {
    std::cout << "ScreenGlobalState received a telegram." << std::endl;
    if (msg.Msg != Msg_Reset) return false;
    std::cout << "Message 'Msg_Reset' Accepted!" << std::endl << std::endl;
    pScreen->Initialize();
    return true;
}
