// The attract state: starting the speedometer and coming back, hiding the
// title, ending the game, and what it declines.
#include "Screen/DeathScoresScreen.h"
#include "Screen/DemoScreen.h"
#include "Screen/SpeedometerScreen.h"
#include "ScreenRig.h"

ISOLATED_TEST(ScreenDemo, BlenderOnStartsTheSpeedometerAndReturningDescribesTheDeletedBanner) {
    ScreenRig rig;
    rig.Wait(40);
    Sprite* pBanner = rig.pScreen->GetCurrentSprite();
    CaptureLog log;
    rig.Send(Msg_BlenderOn);
    EXPECT_EQ(log.Lines(), Join({MailNow(), RoutedTo("Screen", "DemoScreen"),
                                 {"Message 'Msg_BlenderOn' Accepted!", "", "SpeedometerScreen::Enter: 0 0 640 167",
                                  "SpeedometerScreen::Enter: 0 0 640 167", "", "SpeedometerScreen is writing a message."},
                                 MailLater(1000, 40), {"SpeedometerScreen just sent message.", ""}}));
    EXPECT_TRUE(pBanner->IsDying());
    EXPECT_EQ(rig.Current(), SpeedometerScreen::Instance());
    EXPECT_EQ(rig.pScreen->GetSpeed(), 1);
    EXPECT_EQ(rig.ZOrdersAfterUpdate(), (std::vector<int>{1}));  // the banner is deleted here

    log.Clear();
    rig.Send(Msg_BlenderOff);
    EXPECT_EQ(log.Lines(), Join({MailNow(), RoutedTo("Screen", "SpeedometerScreen"),
                                 {"Message 'Msg_BlenderOff' Accepted!", "Speed not max, returning to DemoScreen.", "",
                                  "DemoScreen::Enter: 0 0 640 167"},
                                 WindowSprite(640, 167), {"DemoScreen::Enter: 0 0 640 167", ""}}));
    EXPECT_EQ(rig.Current(), DemoScreen::Instance());
    EXPECT_EQ(rig.ZOrdersAfterUpdate(), kBannerOverBackground);
    EXPECT_EQ(rig.pScreen->GetCurrentSprite()->GetBitmap(), rig.pTitle);
}

ISOLATED_TEST(ScreenDemo, HideTitleAndGameOverKeepItCurrentAndOtherTelegramsAreDeclined) {
    ScreenRig rig;
    Sprite* pBanner = rig.pScreen->GetCurrentSprite();
    CaptureLog log;
    rig.Send(Msg_HideTitle);
    rig.Send(Msg_GameOver);
    rig.Send(Msg_ShowDeathScores, 1);
    rig.Send(10);
    EXPECT_EQ(log.Lines(), Join({MailNow(), RoutedTo("Screen", "DemoScreen"), {"Message 'HideTitle' Accepted!", ""},
                                 MailNow(), RoutedTo("Screen", "DemoScreen"), {"Message 'GameOver' Accepted!", ""},
                                 MailNow(), DeclinedBy("DemoScreen"), MailNow(), DeclinedBy("DemoScreen")}));
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
    rig.pScreen->KillCurrentSprite();
    rig.ZOrdersAfterUpdate();
    rig.Send(Msg_HideTitle);
    ASSERT_EQ(rig.pEngine->GetSprites().size(), 1u);
    EXPECT_FALSE(rig.pEngine->GetSprites()[0]->IsHidden());
}
