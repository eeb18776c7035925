// The score boards: idle cycling, credits while a board is up, and the end of
// a game with the new game six seconds later.
#include <gtest/gtest.h>

#include "Screen/DeathScoresScreen.h"
#include "Screen/DemoScreen.h"
#include "Screen/SavedScoresScreen.h"
#include "ScreenRig.h"
#include "support/CaptureLog.h"
#include "support/Isolation.h"

namespace {
const Lines kCycleOpen = {"Screen Class is writing a message: 'Msg_CycleHighScores'"};
const Lines kClose = {"Screen Class just sent message.", ""};
}  // namespace

ISOLATED_TEST(ScreenScores, IdleCyclingShowsBothBoardsAndComesBackToAttract) {
    ScreenRig rig;
    Screen* pScreen = rig.pScreen;
    pScreen->Initialize();
    pScreen->CycleHighScores();
    EXPECT_EQ(rig.Current(), DeathScoresScreen::Instance());
    EXPECT_TRUE(pScreen->LookingAtScores());
    rig.pEngine->UpdateSprites();
    EXPECT_EQ(rig.ZOrders(), (std::vector<int>{1, 30}));
    EXPECT_EQ(pScreen->GetCurrentSprite()->GetBitmap(), rig.pDeath);

    // The first line of the second board describes the first, killed on the way.
    CaptureLog log;
    pScreen->CycleHighScores();
    EXPECT_EQ(log.Lines(), Join({kCycleOpen, MailNow(), RoutedTo("Screen", "DeathScoresScreen"),
                                 {"Message 'CycleHighScores' Accepted!", "", "SavedScoresScreen::Enter: 0 0 640 480"},
                                 WindowSprite(640, 480),
                                 {"SavedScoresScreen is writing a message."}, MailNow(),
                                 {Got("Fish", Msg_FlopAway), "SavedScoresScreen just sent message.", "",
                                  "SavedScoresScreen::Enter: 0 0 640 480", ""},
                                 kClose}));
    EXPECT_TRUE(pScreen->LookingAtScores());
    rig.pEngine->UpdateSprites();
    EXPECT_EQ(rig.ZOrders(), (std::vector<int>{1, 30}));
    EXPECT_EQ(pScreen->GetCurrentSprite()->GetBitmap(), rig.pSaved);

    log.Clear();
    pScreen->CycleHighScores();
    EXPECT_EQ(log.Lines(), Join({kCycleOpen, MailNow(), RoutedTo("Screen", "SavedScoresScreen"),
                                 {"Message 'CycleHighScores' Accepted!", "", "SavedScoresScreen is writing a message."},
                                 MailNow(),
                                 {Got("Fish", Msg_Reset), "SavedScoresScreen just sent message.", "",
                                  "DemoScreen::Enter: 0 0 640 480"},
                                 WindowSprite(640, 167),
                                 {"DemoScreen::Enter: 0 0 640 167", ""},
                                 kClose}));
    EXPECT_EQ(rig.Current(), DemoScreen::Instance());
    EXPECT_FALSE(pScreen->LookingAtScores());
    rig.pEngine->UpdateSprites();
    EXPECT_EQ(rig.ZOrders(), (std::vector<int>{1, 30}));
    EXPECT_EQ(rig.pFish->m_vReceived, (std::vector<int>{Msg_FlopAway, Msg_Reset}));
    EXPECT_TRUE(rig.Queued(Msg_NewGame).empty());
}

ISOLATED_TEST(ScreenScores, ACreditLeavesABoardBetweenGamesButNotAfterAGame) {
    ScreenRig rig;
    Screen* pScreen = rig.pScreen;
    pScreen->Initialize();
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
    Screen* pScreen = rig.pScreen;
    pScreen->Initialize();
    pScreen->AddCredit();
    rig.Send(Msg_BlenderOn);
    rig.pEngine->UpdateSprites();  // the banner is deleted here
    rig.Wait(500);
    rig.Send(Msg_GameOver, 1);
    CaptureLog log;
    rig.Send(Msg_ShowDeathScores, 1);

    EXPECT_EQ(log.Lines(), Join({MailNow(), RoutedTo("Screen", "SpeedometerScreen"),
                                 {"Message 'Msg_ShowDeathScores' Accepted!", "DeathScoresScreen::Enter: 0 0 640 167"},
                                 WindowSprite(640, 480),
                                 {"DeathScoresScreen::Enter: 0 0 640 480", "",
                                  "Screen Class is writing a message: 'Msg_NewGame'"},
                                 MailLater(6000, 500),
                                 kClose}));
    ASSERT_EQ(rig.Queued(Msg_NewGame).size(), 1u);

    rig.Wait(6000);
    EXPECT_EQ(rig.Current(), DeathScoresScreen::Instance());
    log.Clear();
    rig.Wait(1);
    EXPECT_EQ(log.Lines(), Join({{"Mailing saved letter now."}, RoutedTo("Screen", "DeathScoresScreen"),
                                 {"Message 'NewGame' Accepted!", ""}, ResetAllFrom("DeathScoresScreen")}));
    EXPECT_EQ(rig.Current(), DemoScreen::Instance());
    EXPECT_FALSE(pScreen->GameOver());
    EXPECT_FALSE(pScreen->LookingAtScores());
    EXPECT_EQ(pScreen->GetCredits(), 1);
    rig.pEngine->UpdateSprites();
    EXPECT_EQ(rig.ZOrders(), (std::vector<int>{1, 30}));
    EXPECT_TRUE(MessageDispatcher::Instance()->GetDelayedTelegrams().empty());
}

ISOLATED_TEST(ScreenScores, TheSavedBoardAfterAnIdleFlipFlopsTheFishAwayAndResetsItOnce) {
    ScreenRig rig;
    Screen* pScreen = rig.pScreen;
    pScreen->Initialize();
    rig.Send(Msg_HideTitle);
    rig.Send(Msg_GameOver);
    rig.Wait(300);
    rig.Send(Msg_ShowSavedScores, 1);
    EXPECT_EQ(rig.Current(), SavedScoresScreen::Instance());
    ASSERT_EQ(rig.Queued(Msg_NewGame).size(), 1u);
    EXPECT_EQ(rig.Queued(Msg_NewGame)[0].DispatchTime, 6300);

    rig.Wait(6001);
    EXPECT_EQ(rig.Current(), DemoScreen::Instance());
    // The reset runs no exit of the board: the fish is reset once, by the new game.
    EXPECT_EQ(rig.pFish->m_vReceived, (std::vector<int>{Msg_FlopAway, Msg_Reset}));
    EXPECT_EQ(rig.pBlender->m_vReceived, (std::vector<int>{Msg_Reset}));
    rig.pEngine->UpdateSprites();
    EXPECT_EQ(rig.ZOrders(), (std::vector<int>{1, 30}));
    EXPECT_FALSE(pScreen->GetCurrentSprite()->IsHidden());
}
