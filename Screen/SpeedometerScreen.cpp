#include "Screen/SpeedometerScreen.h"

#include <cstdint>
#include <iostream>

#include "EntityIDs.h"
#include "Engine/Framework.h"
#include "Engine/LoggedSend.h"
#include "Engine/MessageDispatcher.h"
#include "Screen/DeathScoresScreen.h"
#include "Screen/DemoScreen.h"
#include "Screen/SavedScoresScreen.h"
#include "Screen/Screen.h"

namespace {
const int kStartSpeed = 1;
const int kMaxSpeed = 10;
const int kPanicSpeed = 5;
const int kTalkSpeed = 7;
const int kLastQuickSpeed = 6;
const int kQuickStep = 1000;
const int kSlowStep = 2000;
}  // namespace

void SpeedometerScreen::Enter(Screen* pScreen) {
    pScreen->SetSpeed(kStartSpeed);
    // The banner DemoScreen killed on the way here is described from where it stood.
    pScreen->WritePositionLine("SpeedometerScreen::Enter: ", false);
    pScreen->WritePositionLine("SpeedometerScreen::Enter: ", true);
    SendSpeedUpMessage(pScreen, kQuickStep, pScreen->ID());
}

void SpeedometerScreen::SendSpeedUpMessage(Screen* pScreen, int iDelay, int iReceiver) {
    SendLogged("SpeedometerScreen", iDelay, pScreen->ID(), iReceiver, Msg_SpeedUp);
    if (iReceiver == pScreen->ID() && iDelay > 0) pScreen->SetSpeedUpDue(MessageDispatcher::Instance()->LastDueTick());
}

void SpeedometerScreen::SendWarning(Screen* pScreen, int iMsg, const char* szName, int iReceiver) {
    SendLogged("SpeedometerScreen", 0, pScreen->ID(), iReceiver, iMsg, szName);
}

// One speed-up chain per run: only a speed-up due less than SmallestDelay from
// the one scheduled last is taken; one left over from an earlier run is not.
bool SpeedometerScreen::AwaitedSpeedUp(Screen* pScreen, const Telegram& msg) const {
    if (!pScreen->SpeedUpScheduled()) return false;
    // Due ticks wrap with the tick count: their distance is the wrapped difference.
    const int64_t iDiff = static_cast<int32_t>(static_cast<uint32_t>(msg.DispatchTime) -
                                               static_cast<uint32_t>(pScreen->GetSpeedUpDue()));
    return (iDiff < 0 ? -iDiff : iDiff) < SmallestDelay;
}

void SpeedometerScreen::SpeedUp(Screen* pScreen) {
    const int iSpeed = pScreen->GetSpeed() + 1;
    pScreen->SetSpeed(iSpeed);
    std::cout << "Speed Up! m_iSpeed = " << iSpeed << std::endl << std::endl;

    SendSpeedUpMessage(pScreen, 0, BlenderID);

    if (iSpeed == kMaxSpeed) {
        std::cout << "Speed at max, sending message to blend dorode." << std::endl;
        SendWarning(pScreen, Msg_BloodyFishGoo, "Msg_BloodyFishGoo", BlenderID);
        return;
    }
    if (iSpeed == kPanicSpeed) {
        SendWarning(pScreen, Msg_Panic, "Msg_Panic", FishID);
    } else if (iSpeed == kTalkSpeed) {
        SendWarning(pScreen, Msg_Talk, "Msg_Talk", FishID);
    }
    SendSpeedUpMessage(pScreen, iSpeed > kLastQuickSpeed ? kSlowStep : kQuickStep, pScreen->ID());
}

bool SpeedometerScreen::OnMessage(Screen* pScreen, const Telegram& msg) {
    std::cout << "SpeedometerScreen received a telegram." << std::endl;
    switch (msg.Msg) {
        case Msg_SpeedUp:
            if (!AwaitedSpeedUp(pScreen, msg)) return false;
            std::cout << "Message 'Msg_SpeedUp' Accepted!" << std::endl;
            // A twin of the last step may arrive too: the reading never passes its maximum.
            if (!pScreen->Canceled() && pScreen->GetSpeed() < kMaxSpeed) SpeedUp(pScreen);
            return true;
        case Msg_BlenderOff:
            std::cout << "Message 'Msg_BlenderOff' Accepted!" << std::endl;
            if (pScreen->GetSpeed() < kMaxSpeed) {
                std::cout << "Speed not max, returning to DemoScreen." << std::endl << std::endl;
                pScreen->GetFSM()->ChangeState(DemoScreen::Instance());
            }
            return true;
        case Msg_ShowDeathScores:
            std::cout << "Message 'Msg_ShowDeathScores' Accepted!" << std::endl;
            pScreen->GetFSM()->ChangeState(DeathScoresScreen::Instance());
            return true;
        case Msg_ShowSavedScores:
            std::cout << "Message 'Msg_ShowSavedScores' Accepted!" << std::endl;
            pScreen->GetFSM()->ChangeState(SavedScoresScreen::Instance());
            return true;
        case Msg_CancelBlending:
            std::cout << "Message 'Msg_CancelBlending' Accepted!" << std::endl;
            pScreen->SetCanceled(true);
            return true;
        case Msg_GameOver:
            std::cout << "Message 'GameOver' Accepted!" << std::endl;
            pScreen->SetGameOver(true);
            return true;
        default:
            return false;
    }
}
