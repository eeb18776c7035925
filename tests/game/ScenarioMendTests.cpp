// Games that used to wedge or go wrong, and credits across games.
#include <gtest/gtest.h>

#include "Blender/Blender.h"
#include "Screen/Screen.h"
#include "Whirlquarium.h"
#include "support/GameRun.h"
#include "support/Isolation.h"
#include "support/Passages.h"

namespace hl = platform::headless;

namespace {

DWORD SpeedNineTick(DWORD dwStart) {
    DWORD t = dwStart;
    for (int iSpeed = 2; iSpeed <= 9; ++iSpeed) t = FirstFrameAfter(t + (iSpeed <= 7 ? 1000 : 2000));
    return t;
}
DWORD SpeedTenTick(DWORD dwStart) { return FirstFrameAfter(SpeedNineTick(dwStart) + 2000); }

bool AnyLiveSpriteShows(const Bitmap* pBitmap) {
    for (Sprite* p : _pGame->GetSprites())
        if (!p->IsDying() && p->GetBitmap() == pBitmap) return true;
    return false;
}

}  // namespace

ISOLATED_TEST(MendScenario, FlipAndBoardCycleBetweenTwoFramesStillEndTheGame) {
    platform::SelectHeadlessBackend();
    hl::PostToWindow(300, WM_MBUTTONDOWN);  // the flip is asked for...
    hl::PostToWindow(301, WM_LBUTTONDOWN);  // ...and, with no credit, the boards before the Blender acts
    hl::PostToWindow(302, WM_LBUTTONUP);
    bool bLookingAtScores = true;
    size_t nSpritesAfterReset = 0;
    hl::At(600, [&] { bLookingAtScores = _pScreen->LookingAtScores(); });
    hl::At(13000, [&] { nSpritesAfterReset = _pGame->GetSprites().size(); });
    hl::Close(13010);
    Lines vLog = RunGame();

    EXPECT_EQ(CountLines(vLog, "Cycling High Scores."), 0);
    EXPECT_FALSE(bLookingAtScores);
    // The flip runs its course: saved board, then a new game.
    EXPECT_EQ(CountLines(vLog, "Message 'Msg_Gravity' Accepted!"), 1);
    EXPECT_EQ(CountLines(vLog, "Message 'Msg_ShowSavedScores' Accepted!"), 1);
    EXPECT_EQ(CountLines(vLog, "Message 'NewGame' Accepted!"), 1);
    EXPECT_EQ(CountLines(vLog, "Screen::Initialize: 0 0 640 167"), 2);
    EXPECT_EQ(nSpritesAfterReset, 4u);
}

ISOLATED_TEST(MendScenario, ALeftoverSpeedUpDoesNotStartASecondChain) {
    platform::SelectHeadlessBackend();
    hl::PostToWindow(50, WM_RBUTTONDOWN);
    hl::PostToWindow(60, WM_RBUTTONDOWN);
    hl::PostToWindow(100, WM_LBUTTONDOWN);  // blending from frame 4 (tick 103)
    hl::PostToWindow(500, WM_LBUTTONUP);    // stopped in frame 16, before the first step
    hl::PostToWindow(700, WM_LBUTTONDOWN);  // again from frame 22 (tick 715)
    const DWORD dwSecondStart = FrameTick(22);
    const DWORD dwTen = SpeedTenTick(dwSecondStart);
    int iSpeedAtEnd = 0;
    hl::At(dwTen + 1, [&] { iSpeedAtEnd = _pScreen->GetSpeed(); });
    hl::Close(dwTen + 3000);
    Lines vLog = RunGame();

    // The first run's step (due 1103) arrives during the second run and is declined.
    const Lines vDeclined = Join({{"Mailing saved letter now."},
                                  RoutedTo("Screen", "SpeedometerScreen"),
                                  {"ScreenGlobalState received a telegram.", "Message not handled"}});
    int iAt = ExpectPassagesInOrder(vLog, {NextSpeedUp(1000, FrameTick(4)), NextSpeedUp(1000, dwSecondStart), vDeclined});
    ASSERT_GE(iAt, 0);
    for (int iSpeed = 2; iSpeed <= 10; ++iSpeed)
        EXPECT_EQ(CountLines(vLog, "Speed Up! m_iSpeed = " + std::to_string(iSpeed)), 1) << "speed " << iSpeed;
    EXPECT_EQ(CountLines(vLog, "Speed Up! m_iSpeed = 11"), 0);
    EXPECT_EQ(iSpeedAtEnd, 10);
    // The single chain reaches 10 on its own schedule, about twelve seconds after the second start.
    ExpectPassagesInOrder(vLog, {NextSpeedUp(2000, SpeedNineTick(dwSecondStart)), {"Speed Up! m_iSpeed = 10"}});
    EXPECT_EQ(dwTen - dwSecondStart, 12138u);
}

ISOLATED_TEST(MendScenario, FlipInTheUpdateThatBlendsLeavesNoSpinningBlenderBehind) {
    platform::SelectHeadlessBackend();
    hl::PostToWindow(50, WM_RBUTTONDOWN);
    hl::PostToWindow(100, WM_LBUTTONDOWN);  // blending from frame 4
    const DWORD dwTen = SpeedTenTick(FrameTick(4));
    hl::KeyDown(dwTen - 1, VK_DOWN);        // the flip is read in the frame of speed 10
    hl::KeyUp(dwTen + 1, VK_DOWN);
    bool bSpinningAfterFlip = true, bBlendedFishLives = false;
    hl::At(dwTen + 1000, [&] {
        bSpinningAfterFlip = AnyLiveSpriteShows(_pBlenderShakingBitmap);
        bBlendedFishLives = AnyLiveSpriteShows(_pBlenderShakingBloodyBitmap);
    });
    hl::Close(dwTen + 1010);
    Lines vLog = RunGame();

    // Blended and flipped in one update: the flip wins, the fish is saved.
    ASSERT_EQ(CountLines(vLog, "Message 'Msg_BloodyFishGoo' Accepted!"), 1);
    EXPECT_EQ(CountLines(vLog, "Message 'Msg_Flip' Accepted!"), 1);
    EXPECT_EQ(CountLines(vLog, "Bloody graphics ahead!"), 0);
    EXPECT_EQ(CountLines(vLog, "Message 'Msg_Saved' Accepted!"), 1);
    EXPECT_FALSE(bSpinningAfterFlip);
    EXPECT_FALSE(bBlendedFishLives);
}

ISOLATED_TEST(MendScenario, CreditsSurviveTheResetAndQuartersDuringTheBoardOnlyCount) {
    platform::SelectHeadlessBackend();
    hl::PostToWindow(50, WM_RBUTTONDOWN);
    hl::PostToWindow(60, WM_RBUTTONDOWN);
    hl::PostToWindow(300, WM_MBUTTONDOWN);  // a calm flip: no credit spent
    // The saved board is up from tick 6529 to the new game at 12547.
    hl::PostToWindow(8000, WM_RBUTTONDOWN);
    int iCreditsAfter = 0;
    bool bStillOnBoard = false;
    hl::At(8001, [&] { bStillOnBoard = _pScreen->LookingAtScores(); });
    hl::At(13000, [&] { iCreditsAfter = _pScreen->GetCredits(); });
    hl::Close(13010);
    Lines vLog = RunGame();

    const Lines vDuringBoard = Join({{"Screen Class is writing a message: 'Msg_CreditInserted'"},
                                     MailNow(),
                                     RoutedTo("Screen", "SavedScoresScreen"),
                                     {"Message 'CreditInserted' Accepted!", "", "Screen Class just sent message.", "",
                                      "Quarter accepted!", "Credits = 3", "Total Credits Today = 3", ""}});
    ExpectPassagesInOrder(vLog, {QuarterDeclined("DemoScreen", 1, 1), QuarterDeclined("DemoScreen", 2, 2),
                                 vDuringBoard, NewGameResets("SavedScoresScreen", "FlipOver", "FlopAway")});
    EXPECT_TRUE(bStillOnBoard);
    EXPECT_EQ(iCreditsAfter, 3);
}
