// The attract state: starting the speedometer, coming back to it, hiding the
// title and ending the game from it.
#include <gtest/gtest.h>

#include "Screen/DeathScoresScreen.h"
#include "Screen/DemoScreen.h"
#include "Screen/SpeedometerScreen.h"
#include "ScreenRig.h"
#include "support/CaptureLog.h"
#include "support/Isolation.h"

ISOLATED_TEST(ScreenDemo, BlenderOnKillsTheBannerAndStartsTheSpeedometer) {
    ScreenRig rig;
    rig.pScreen->Initialize();
    rig.Wait(40);
    Sprite* pBanner = rig.pScreen->GetCurrentSprite();
    CaptureLog log;
    rig.Send(Msg_BlenderOn);

    EXPECT_EQ(log.Lines(), Join({MailNow(),
                                 RoutedTo("Screen", "DemoScreen"),
                                 {"Message 'Msg_BlenderOn' Accepted!", "", "SpeedometerScreen::Enter: 0 0 640 167",
                                  "SpeedometerScreen::Enter: 0 0 640 167", "", "SpeedometerScreen is writing a message."},
                                 MailLater(1000, 40),
                                 {"SpeedometerScreen just sent message.", ""}}));
    EXPECT_TRUE(pBanner->IsDying());
    EXPECT_EQ(rig.Current(), SpeedometerScreen::Instance());
    EXPECT_EQ(rig.pScreen->GetSpeed(), 1);
    ASSERT_EQ(rig.Queued(Msg_SpeedUp).size(), 1u);
    EXPECT_EQ(rig.Queued(Msg_SpeedUp)[0].Receiver, 0);
}

ISOLATED_TEST(ScreenDemo, ComingBackFromTheSpeedometerDescribesTheDeletedBannerFromWhereItStood) {
    ScreenRig rig;
    rig.pScreen->Initialize();
    rig.Send(Msg_BlenderOn);
    rig.pEngine->UpdateSprites();  // the killed banner is deleted here
    EXPECT_EQ(rig.ZOrders(), (std::vector<int>{1}));
    CaptureLog log;
    rig.Send(Msg_BlenderOff);

    EXPECT_EQ(log.Lines(), Join({MailNow(),
                                 RoutedTo("Screen", "SpeedometerScreen"),
                                 {"Message 'Msg_BlenderOff' Accepted!", "Speed not max, returning to DemoScreen.", "",
                                  "DemoScreen::Enter: 0 0 640 167"},
                                 WindowSprite(640, 167),
                                 {"DemoScreen::Enter: 0 0 640 167", ""}}));
    EXPECT_EQ(rig.Current(), DemoScreen::Instance());
    EXPECT_EQ(rig.ZOrders(), (std::vector<int>{1, 30}));
    EXPECT_EQ(rig.pScreen->GetCurrentSprite()->GetBitmap(), rig.pTitle);
    EXPECT_EQ(rig.pScreen->GetCurrentSprite()->GetNumFrames(), 1);
}

ISOLATED_TEST(ScreenDemo, HideTitleAndGameOverKeepTheAttractStateCurrent) {
    ScreenRig rig;
    rig.pScreen->Initialize();
    Sprite* pBanner = rig.pScreen->GetCurrentSprite();
    CaptureLog log;
    rig.Send(Msg_HideTitle);
    rig.Send(Msg_GameOver);

    EXPECT_EQ(log.Lines(), Join({MailNow(), RoutedTo("Screen", "DemoScreen"), {"Message 'HideTitle' Accepted!", ""},
                                 MailNow(), RoutedTo("Screen", "DemoScreen"), {"Message 'GameOver' Accepted!", ""}}));
    EXPECT_TRUE(pBanner->IsHidden());
    EXPECT_FALSE(pBanner->IsDying());
    EXPECT_TRUE(rig.pScreen->GameOver());
    EXPECT_EQ(rig.Current(), DemoScreen::Instance());

    // Leaving kills the hidden banner all the same.
    rig.pScreen->CycleHighScores();
    EXPECT_EQ(rig.Current(), DeathScoresScreen::Instance());
    EXPECT_TRUE(pBanner->IsDying());
}

ISOLATED_TEST(ScreenDemo, HideTitleLeavesADeletedBannerAlone) {
    ScreenRig rig;
    rig.pScreen->Initialize();
    rig.pScreen->KillCurrentSprite();
    rig.pEngine->UpdateSprites();
    rig.Send(Msg_HideTitle);
    ASSERT_EQ(rig.pEngine->GetSprites().size(), 1u);
    EXPECT_FALSE(rig.pEngine->GetSprites()[0]->IsHidden());
}

ISOLATED_TEST(ScreenDemo, DeclinesWhatItDoesNotList) {
    ScreenRig rig;
    rig.pScreen->Initialize();
    CaptureLog log;
    rig.Send(Msg_ShowDeathScores, 1);
    rig.Send(Msg_SpeedUp, 0);
    rig.Send(10);

    const Lines vDeclined = Join({MailNow(), DeclinedBy("DemoScreen")});
    EXPECT_EQ(log.Lines(), Join({vDeclined, vDeclined, vDeclined}));
    EXPECT_EQ(rig.Current(), DemoScreen::Instance());
}
