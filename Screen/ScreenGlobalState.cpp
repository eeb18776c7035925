#include "Screen/ScreenGlobalState.h"

#include <iostream>

#include "Engine/Framework.h"
#include "Screen/Screen.h"

bool ScreenGlobalState::OnMessage(Screen* pScreen, const Telegram& msg) {
    std::cout << "ScreenGlobalState received a telegram." << std::endl;
    return TakeReset(pScreen, msg);
}
