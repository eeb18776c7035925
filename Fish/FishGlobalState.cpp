#include "Fish/FishGlobalState.h"

#include <iostream>

#include "Engine/Framework.h"
#include "Fish/Fish.h"
#include "Fish/FlopAway.h"
#include "Fish/Saved.h"

bool FishGlobalState::OnMessage(Fish* pFish, const Telegram& msg) {
    std::cout << "FishGlobalState received a telegram." << std::endl;
    if (TakeReset(pFish, msg)) return true;
    switch (msg.Msg) {
        case Msg_Saved:
            std::cout << "Message 'Msg_Saved' Accepted!" << std::endl << std::endl;
            if (!pFish->GiveUp()) pFish->GetFSM()->ChangeState(Saved::Instance());
            return true;
        case Msg_FlopAway:
            std::cout << "Message 'FlopAway' Accepted!" << std::endl << std::endl;
            pFish->GetFSM()->ChangeState(FlopAway::Instance());
            return true;
        default:
            return false;
    }
}
