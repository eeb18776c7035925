// The speedometer: the pace of the count, the warnings, stopping, cancelling,
// and one chain of speed-ups per run.
#include <gtest/gtest.h>

#include <algorithm>

#include "Screen/DemoScreen.h"
#include "Screen/SpeedometerScreen.h"
#include "ScreenRig.h"
#include "support/CaptureLog.h"
#include "support/Isolation.h"

namespace {
// The interval before reading iSpeed: a second up to 7, then two.
DWORD StepBefore(int iSpeed) { return iSpeed <= 7 ? 1000 : 2000; }

// Runs the count up to iTarget, checking that each step falls due exactly on time.
void CountTo(ScreenRig& rig, int iTarget) {
    for (int iSpeed = rig.pScreen->GetSpeed() + 1; iSpeed <= iTarget; ++iSpeed) {
        rig.Wait(StepBefore(iSpeed) - 1);
        ASSERT_EQ(rig.pScreen->GetSpeed(), iSpeed - 1) << "step to " << iSpeed << " came early";
        rig.Wait(2);
        ASSERT_EQ(rig.pScreen->GetSpeed(), iSpeed) << "step to " << iSpeed << " did not come";
    }
}

const Lines kSpeedUpToBlender = Join({{"SpeedometerScreen is writing a message."}, MailNow(),
                                      {Got("Blender", Msg_SpeedUp), "SpeedometerScreen just sent message.", ""}});
}  // namespace

ISOLATED_TEST(ScreenSpeedometer, HoldingTheButtonCountsToTenWarningTheFishOnce) {
    ScreenRig rig;
    rig.pScreen->Initialize();
    rig.Send(Msg_BlenderOn);
    CountTo(rig, 4);

    CaptureLog log;
    rig.Wait(StepBefore(5) + 1);
    const DWORD dwAt5 = platform::headless::Now();
    EXPECT_EQ(log.Lines(), Join({{"Mailing saved letter now."},
                                 RoutedTo("Screen", "SpeedometerScreen"),
                                 {"Message 'Msg_SpeedUp' Accepted!", "Speed Up! m_iSpeed = 5", ""},
                                 kSpeedUpToBlender,
                                 {"SpeedometerScreen is writing a message: 'Msg_Panic'"},
                                 MailNow(),
                                 {Got("Fish", Msg_Panic), "SpeedometerScreen just sent message.", "",
                                  "SpeedometerScreen is writing a message."},
                                 MailLater(1000, dwAt5),
                                 {"SpeedometerScreen just sent message.", ""}}));
    CountTo(rig, 9);

    log.Clear();
    rig.Wait(StepBefore(10) + 1);
    EXPECT_EQ(log.Lines(), Join({{"Mailing saved letter now."},
                                 RoutedTo("Screen", "SpeedometerScreen"),
                                 {"Message 'Msg_SpeedUp' Accepted!", "Speed Up! m_iSpeed = 10", ""},
                                 kSpeedUpToBlender,
                                 {"Speed at max, sending message to blend dorode.",
                                  "SpeedometerScreen is writing a message: 'Msg_BloodyFishGoo'"},
                                 MailNow(),
                                 {Got("Blender", Msg_BloodyFishGoo), "SpeedometerScreen just sent message.", ""}}));

    rig.Wait(10000);
    EXPECT_EQ(rig.pScreen->GetSpeed(), 10);
    EXPECT_TRUE(MessageDispatcher::Instance()->GetDelayedTelegrams().empty());
    EXPECT_EQ(rig.pFish->m_vReceived, (std::vector<int>{Msg_Panic, Msg_Talk}));
    std::vector<int> vBlender(9, Msg_SpeedUp);
    vBlender.push_back(Msg_BloodyFishGoo);
    EXPECT_EQ(rig.pBlender->m_vReceived, vBlender);
}

ISOLATED_TEST(ScreenSpeedometer, ReleasingBelowTenReturnsToAttractButAtTenStays) {
    ScreenRig rig;
    rig.pScreen->Initialize();
    rig.Send(Msg_BlenderOn);
    CountTo(rig, 9);
    rig.Send(Msg_BlenderOff);
    EXPECT_EQ(rig.Current(), DemoScreen::Instance());

    rig.Send(Msg_BlenderOn);
    EXPECT_EQ(rig.pScreen->GetSpeed(), 1);
    CountTo(rig, 10);
    rig.Send(Msg_BlenderOff);
    EXPECT_EQ(rig.Current(), SpeedometerScreen::Instance());
    EXPECT_EQ(rig.pScreen->GetSpeed(), 10);
}

ISOLATED_TEST(ScreenSpeedometer, CancelEndsTheCountAndGameOverKeepsTheSpeedometerCurrent) {
    ScreenRig rig;
    rig.pScreen->Initialize();
    rig.Send(Msg_BlenderOn);
    CountTo(rig, 3);
    CaptureLog log;
    rig.Send(Msg_CancelBlending);
    rig.Send(Msg_HideTitle);
    rig.Send(Msg_GameOver, 1);
    rig.pScreen->AddCredit();
    rig.Wait(StepBefore(4) + 1);

    const Lines vRouted = Join({MailNow(), RoutedTo("Screen", "SpeedometerScreen")});
    EXPECT_EQ(log.Lines(), Join({vRouted, {"Message 'Msg_CancelBlending' Accepted!"},
                                 MailNow(), DeclinedBy("SpeedometerScreen"),
                                 vRouted, {"Message 'GameOver' Accepted!"},
                                 {"Screen Class is writing a message: 'Msg_CreditInserted'"}, MailNow(),
                                 DeclinedBy("SpeedometerScreen"), {"Screen Class just sent message.", ""},
                                 {"Mailing saved letter now."}, RoutedTo("Screen", "SpeedometerScreen"),
                                 {"Message 'Msg_SpeedUp' Accepted!"}}));
    EXPECT_EQ(rig.pScreen->GetSpeed(), 3);
    EXPECT_TRUE(rig.pScreen->Canceled());
    EXPECT_TRUE(rig.pScreen->GameOver());
    EXPECT_EQ(rig.pScreen->GetCredits(), 1);
    EXPECT_EQ(rig.Current(), SpeedometerScreen::Instance());
    EXPECT_TRUE(rig.Queued(Msg_SpeedUp).empty());
    EXPECT_EQ(rig.pBlender->m_vReceived.size(), 2u);
}

ISOLATED_TEST(ScreenSpeedometer, ASpeedUpLeftFromAnEarlierRunIsDeclined) {
    ScreenRig rig;
    rig.pScreen->Initialize();
    rig.Send(Msg_BlenderOn);  // at 0: reading 2 due at 1000
    CountTo(rig, 2);          // at 1001: reading 3 due at 2001
    rig.Wait(499);
    rig.Send(Msg_BlenderOff);
    rig.Wait(100);
    rig.Send(Msg_BlenderOn);  // at 1600: the new run's reading 2 due at 2600
    ASSERT_EQ(rig.Queued(Msg_SpeedUp).size(), 2u);

    CaptureLog log;
    rig.Wait(402);
    EXPECT_EQ(log.Lines(), Join({{"Mailing saved letter now."}, DeclinedBy("SpeedometerScreen")}));
    rig.Wait(598);
    EXPECT_EQ(rig.pScreen->GetSpeed(), 1);
    rig.Wait(1);
    EXPECT_EQ(rig.pScreen->GetSpeed(), 2);
    CountTo(rig, 10);
    rig.Wait(20000);
    EXPECT_EQ(rig.pScreen->GetSpeed(), 10);
    // One step from the first run, nine from the second.
    EXPECT_EQ(std::count(rig.pBlender->m_vReceived.begin(), rig.pBlender->m_vReceived.end(), Msg_SpeedUp), 10);
}

ISOLATED_TEST(ScreenSpeedometer, AnEarlierSpeedUpStandsInForANewOneDroppedAsItsDuplicate) {
    ScreenRig rig;
    rig.pScreen->Initialize();
    rig.Send(Msg_BlenderOn);  // at 0: due at 1000
    rig.Wait(100);
    rig.Send(Msg_BlenderOff);
    rig.Send(Msg_BlenderOn);  // at 100: due at 1100, within the duplicate window of the queued one
    ASSERT_EQ(rig.Queued(Msg_SpeedUp).size(), 1u);

    rig.Wait(901);
    EXPECT_EQ(rig.pScreen->GetSpeed(), 2);
    CountTo(rig, 10);
    rig.Wait(20000);
    EXPECT_EQ(rig.pScreen->GetSpeed(), 10);
    EXPECT_EQ(rig.pBlender->m_vReceived.size(), 10u);
}
