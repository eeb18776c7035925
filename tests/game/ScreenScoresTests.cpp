// The score boards: idle cycling, credits while a board is up, and the end of
// a game with the new game six seconds later.
#include "Screen/DeathScoresScreen.h"
#include "Screen/DemoScreen.h"
#include "Screen/SavedScoresScreen.h"
#include "ScreenRig.h"

ISOLATED_TEST(ScreenScores, IdleCyclingShowsBothBoardsAndComesBackToAttract) {
    ScreenRig rig;
    Screen* pScreen = rig.pScreen;
    pScreen->CycleHighScores();
    EXPECT_EQ(rig.Current(), DeathScoresScreen::Instance());
    EXPECT_TRUE(pScreen->LookingAtScores());
    EXPECT_EQ(pScreen->GetCurrentSprite()->GetBitmap(), rig.pDeath);
    EXPECT_EQ(rig.ZOrdersAfterUpdate(), kBannerOverBackground);

    CaptureLog log;
    pScreen->CycleHighScores();
    // The first line describes the blended board, killed on the way.
    EXPECT_EQ(CountLines(log.Lines(), "SavedScoresScreen::Enter: 0 0 640 480"), 2);
    EXPECT_EQ(pScreen->GetCurrentSprite()->GetBitmap(), rig.pSaved);
    EXPECT_TRUE(pScreen->LookingAtScores());
    EXPECT_EQ(rig.ZOrdersAfterUpdate(), kBannerOverBackground);

    pScreen->CycleHighScores();
    EXPECT_EQ(rig.Current(), DemoScreen::Instance());
    EXPECT_FALSE(pScreen->LookingAtScores());
    EXPECT_EQ(rig.ZOrdersAfterUpdate(), kBannerOverBackground);
    EXPECT_EQ(rig.pFish->m_vReceived, (std::vector<int>{Msg_FlopAway, Msg_Reset}));
    EXPECT_TRUE(rig.Queued(Msg_NewGame).empty());
}

ISOLATED_TEST(ScreenScores, ACreditLeavesABoardBetweenGamesButNotAfterAGame) {
    ScreenRig rig;
    Screen* pScreen = rig.pScreen;
    pScreen->CycleHighScores();
    Sprite* pBoard = pScreen->GetCurrentSprite();
    pScreen->AddCredit();
    EXPECT_EQ(rig.Current(), DemoScreen::Instance());
    EXPECT_TRUE(pBoard->IsDying());
    EXPECT_FALSE(pScreen->LookingAtScores());

    rig.Send(Msg_BlenderOn);
    rig.Send(Msg_GameOver, 1);
    rig.Send(Msg_ShowDeathScores, 1);
    pScreen->AddCredit();
    pScreen->CycleHighScores();
    EXPECT_EQ(rig.Current(), DeathScoresScreen::Instance());
    EXPECT_TRUE(pScreen->LookingAtScores());
    EXPECT_EQ(pScreen->GetCredits(), 2);
}

ISOLATED_TEST(ScreenScores, TheBlendedBoardStartsANewGameSixSecondsLater) {
    ScreenRig rig;
    rig.Send(Msg_BlenderOn);
    rig.ZOrdersAfterUpdate();  // the banner is deleted here
    rig.Wait(500);
    rig.Send(Msg_GameOver, 1);
    CaptureLog log;
    rig.Send(Msg_ShowDeathScores, 1);
    // The first line describes the banner, deleted since the blender started, from where it stood.
    EXPECT_GE(FindBlock(log.Lines(), {"Message 'Msg_ShowDeathScores' Accepted!", "DeathScoresScreen::Enter: 0 0 640 167"}), 0);
    EXPECT_EQ(rig.Queued(Msg_NewGame).at(0).DispatchTime, 6500);

    rig.Wait(6000);
    EXPECT_EQ(rig.Current(), DeathScoresScreen::Instance());
    log.Clear();
    rig.Wait(1);
    EXPECT_EQ(log.Lines(), Join({{"Mailing saved letter now."}, RoutedTo("Screen", "DeathScoresScreen"),
                                 {"Message 'NewGame' Accepted!", ""}, ResetAllFrom("DeathScoresScreen")}));
    EXPECT_EQ(rig.Current(), DemoScreen::Instance());
    EXPECT_FALSE(rig.pScreen->GameOver() || rig.pScreen->LookingAtScores());
    EXPECT_EQ(rig.ZOrdersAfterUpdate(), kBannerOverBackground);
    EXPECT_TRUE(MessageDispatcher::Instance()->GetDelayedTelegrams().empty());
}

ISOLATED_TEST(ScreenScores, TheSavedBoardAfterAnIdleFlipFlopsTheFishAwayAndTheNewGameResetsItOnce) {
    ScreenRig rig;
    rig.Send(Msg_HideTitle);
    rig.Send(Msg_GameOver);
    rig.Wait(300);
    rig.Send(Msg_ShowSavedScores, 1);
    EXPECT_EQ(rig.Current(), SavedScoresScreen::Instance());
    ASSERT_EQ(rig.Queued(Msg_NewGame).size(), 1u);
    EXPECT_EQ(rig.Queued(Msg_NewGame)[0].DispatchTime, 6300);

    rig.Wait(6001);
    EXPECT_EQ(rig.Current(), DemoScreen::Instance());
    // The reset runs no exit of the board, so the board sends the fish no reset of its own.
    EXPECT_EQ(rig.pFish->m_vReceived, (std::vector<int>{Msg_FlopAway, Msg_Reset}));
    EXPECT_EQ(rig.pBlender->m_vReceived, (std::vector<int>{Msg_Reset}));
    EXPECT_EQ(rig.ZOrdersAfterUpdate(), kBannerOverBackground);
    EXPECT_FALSE(rig.pScreen->GetCurrentSprite()->IsHidden());
}
