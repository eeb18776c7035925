// The speedometer: the pace of the count, its warnings, stopping and
// cancelling, and one chain of speed-ups per run.
#include <algorithm>

#include "Screen/DemoScreen.h"
#include "Screen/SpeedometerScreen.h"
#include "ScreenRig.h"

namespace {
// The interval before reading iSpeed: a second up to 7, then two.
DWORD StepBefore(int iSpeed) { return iSpeed <= 7 ? 1000 : 2000; }

// Counts on to iTarget from the tick of the last step, checking each step falls due exactly on time.
void CountTo(ScreenRig& rig, int iTarget) {
    for (int iSpeed = rig.pScreen->GetSpeed() + 1; iSpeed <= iTarget; ++iSpeed) {
        rig.Wait(StepBefore(iSpeed) - 1);
        ASSERT_EQ(rig.pScreen->GetSpeed(), iSpeed - 1) << "step to " << iSpeed << " came early";
        rig.Wait(2);
        ASSERT_EQ(rig.pScreen->GetSpeed(), iSpeed) << "step to " << iSpeed << " did not come";
    }
}

int SpeedUpsTo(const LoggingStandIn* pBlender) {
    return static_cast<int>(std::count(pBlender->m_vReceived.begin(), pBlender->m_vReceived.end(), Msg_SpeedUp));
}
}  // namespace

ISOLATED_TEST(ScreenSpeedometer, HoldingTheButtonCountsToTenAndWarnsEachOnce) {
    ScreenRig rig;
    rig.Send(Msg_BlenderOn);
    CountTo(rig, 10);
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
    rig.Send(Msg_BlenderOn);
    CountTo(rig, 9);
    rig.Send(Msg_BlenderOff);
    EXPECT_EQ(rig.Current(), DemoScreen::Instance());
    rig.Send(Msg_BlenderOn);
    CountTo(rig, 10);
    rig.Send(Msg_BlenderOff);
    EXPECT_EQ(rig.Current(), SpeedometerScreen::Instance());
}

ISOLATED_TEST(ScreenSpeedometer, CancelEndsTheCountAndGameOverKeepsItCurrent) {
    ScreenRig rig;
    rig.Send(Msg_BlenderOn);
    CountTo(rig, 3);
    rig.Send(Msg_CancelBlending);
    rig.Send(Msg_GameOver, 1);
    EXPECT_FALSE(rig.pScreen->HandleMessage(Telegram(0, 2, 0, Msg_HideTitle)));
    EXPECT_FALSE(rig.pScreen->HandleMessage(Telegram(0, 0, 0, Msg_CreditInserted)));
    CaptureLog log;
    rig.Wait(StepBefore(4) + 1);
    EXPECT_EQ(log.Lines(), Join({{"Mailing saved letter now."}, RoutedTo("Screen", "SpeedometerScreen"),
                                 {"Message 'Msg_SpeedUp' Accepted!"}}));
    EXPECT_EQ(rig.pScreen->GetSpeed(), 3);
    EXPECT_TRUE(rig.pScreen->GameOver());
    EXPECT_EQ(rig.Current(), SpeedometerScreen::Instance());
    EXPECT_TRUE(rig.Queued(Msg_SpeedUp).empty());
    EXPECT_EQ(SpeedUpsTo(rig.pBlender), 2);
}

ISOLATED_TEST(ScreenSpeedometer, ASpeedUpLeftFromAnEarlierRunIsDeclined) {
    ScreenRig rig;
    rig.Send(Msg_BlenderOn);  // at 0
    CountTo(rig, 2);          // at 1001: reading 3 due at 2001
    rig.Wait(599);
    rig.Send(Msg_BlenderOff);
    rig.Send(Msg_BlenderOn);  // at 1600: the new run's reading 2 due at 2600
    CaptureLog log;
    rig.Wait(402);
    EXPECT_EQ(log.Lines(), Join({{"Mailing saved letter now."}, DeclinedBy("SpeedometerScreen")}));
    rig.Wait(598);
    EXPECT_EQ(rig.pScreen->GetSpeed(), 1);
    rig.Wait(1);
    CountTo(rig, 10);
    rig.Wait(20000);
    EXPECT_EQ(rig.pScreen->GetSpeed(), 10);
    EXPECT_EQ(SpeedUpsTo(rig.pBlender), 1 + 9);
}

ISOLATED_TEST(ScreenSpeedometer, AnEarlierSpeedUpStandsInForItsDroppedDuplicateButNoTwinPassesTen) {
    ScreenRig rig;
    rig.Send(Msg_BlenderOn);  // at 0: due at 1000
    rig.Wait(100);
    rig.Send(Msg_BlenderOff);
    rig.Send(Msg_BlenderOn);  // at 100: due at 1100, dropped as a repeat of the queued one
    rig.Wait(901);
    EXPECT_EQ(rig.pScreen->GetSpeed(), 2);
    CountTo(rig, 9);
    const int iLastDue = rig.Queued(Msg_SpeedUp).at(0).DispatchTime;
    CountTo(rig, 10);
    // A twin of the last step, queued across another kind, is taken and changes nothing.
    EXPECT_TRUE(rig.pScreen->HandleMessage(Telegram(iLastDue + 100, 0, 0, Msg_SpeedUp)));
    EXPECT_EQ(rig.pScreen->GetSpeed(), 10);
    EXPECT_EQ(SpeedUpsTo(rig.pBlender), 9);
}
