// Whole-game scenarios in attract mode: start-up, the swimming fish, quarters,
// idle cycling of the score boards, quitting.
#include <gtest/gtest.h>

#include "Screen/Screen.h"
#include "Whirlquarium.h"
#include "support/GameRun.h"
#include "support/Isolation.h"
#include "support/Passages.h"

namespace hl = platform::headless;

ISOLATED_TEST(AttractScenario, StartupWritesCreationAndInitialisationInOrder) {
    platform::SelectHeadlessBackend();
    size_t nSpritesAfterFirstFrame = 0;
    hl::At(FrameTick(2), [&] { nSpritesAfterFirstFrame = _pGame->GetSprites().size(); });
    hl::Close(FrameTick(3));
    Lines vLog = RunGame();

    // Nothing else happens in the first frames of attract mode.
    EXPECT_EQ(vLog, StartupLog());
    // Title, background, fish and calm blender.
    EXPECT_EQ(nSpritesAfterFirstFrame, 4u);
}

ISOLATED_TEST(AttractScenario, FishSwimsLeftThenToTheCentreAndFacesThePlayerForFiveSeconds) {
    platform::SelectHeadlessBackend();
    hl::Close(FrameTick(215));
    Lines vLog = RunGame();

    // From x 250 at 2 pixels a frame the fish stops at 200 in the 26th sprite
    // update and turns in the 27th frame; it stops at 265 in the 59th and faces
    // the player in the 60th; its five-second telegram falls due in frame 208.
    const Lines vTurnRight = Join({{"SwimRight::Enter: 200 200 315 285"},
                                   SpriteBlock(0, 0, 380, 480, 920, 85),
                                   {"SwimRight::Enter: 200 200 315 285", ""}});
    const Lines vFacePlayer = FacePlayer(265, FrameTick(60));
    const Lines vResume = Join({{"Mailing saved letter now."},
                                RoutedTo("Fish", "SwimTowardPlayer"),
                                {"Message 'Msg_JustKeepSwimming' Accepted!", "", "SwimRight::Enter: 265 200 380 285"},
                                SpriteBlock(0, 0, 435, 480, 920, 85),
                                {"SwimRight::Enter: 265 200 380 285", ""}});
    EXPECT_EQ(vLog, Join({StartupLog(), vTurnRight, vFacePlayer, vResume}));
}

ISOLATED_TEST(AttractScenario, QuartersByKeyAndMouseAreCountedAndDeclinedByTheAttractScreen) {
    platform::SelectHeadlessBackend();
    hl::KeyDown(100, VK_RIGHT);  // seen by the frame at tick 103 only
    hl::KeyUp(120, VK_RIGHT);
    hl::PostToWindow(150, WM_RBUTTONDOWN);
    hl::PostToWindow(151, WM_RBUTTONUP);
    int iCredits = -1;
    hl::At(200, [&] { iCredits = _pScreen->GetCredits(); });
    hl::Close(210);
    Lines vLog = RunGame();

    EXPECT_EQ(vLog, Join({StartupLog(), QuarterDeclined("DemoScreen", 1, 1), QuarterDeclined("DemoScreen", 2, 2)}));
    EXPECT_EQ(iCredits, 2);
}

ISOLATED_TEST(AttractScenario, HeldCoinKeyInsertsOneQuarterEveryFrame) {
    platform::SelectHeadlessBackend();
    hl::KeyDown(FrameTick(5) - 2, VK_RIGHT);
    hl::KeyUp(FrameTick(9) - 2, VK_RIGHT);  // held through frames 5, 6, 7 and 8
    hl::Close(FrameTick(12));
    Lines vLog = RunGame();

    EXPECT_EQ(vLog, Join({StartupLog(), QuarterDeclined("DemoScreen", 1, 1), QuarterDeclined("DemoScreen", 2, 2),
                          QuarterDeclined("DemoScreen", 3, 3), QuarterDeclined("DemoScreen", 4, 4)}));
}

ISOLATED_TEST(AttractScenario, BlenderButtonWithoutCreditCyclesTheBoardsAndBack) {
    platform::SelectHeadlessBackend();
    for (DWORD dwAt : {300u, 500u, 700u}) {
        hl::PostToWindow(dwAt, WM_LBUTTONDOWN);
        hl::PostToWindow(dwAt + 1, WM_LBUTTONUP);  // not blending: writes nothing
    }
    bool bLookingOnDeathBoard = false, bLookingOnSavedBoard = false, bLookingAfter = true;
    size_t nSpritesAfter = 0;
    hl::At(400, [&] { bLookingOnDeathBoard = _pScreen->LookingAtScores(); });
    hl::At(600, [&] { bLookingOnSavedBoard = _pScreen->LookingAtScores(); });
    hl::At(800, [&] {
        bLookingAfter = _pScreen->LookingAtScores();
        nSpritesAfter = _pGame->GetSprites().size();
    });
    hl::Close(810);
    Lines vLog = RunGame();

    // 15 frames have run before tick 500: the fish swims left from 250.
    const int x = 250 - 2 * 15;
    const Lines vToDeathBoard = Join({CycleInto("DemoScreen"),
                                      {"DeathScoresScreen::Enter: 0 0 640 167"},
                                      WindowSprite(640, 480),
                                      {"DeathScoresScreen::Enter: 0 0 640 480", "", "Screen Class just sent message.", ""}});
    const Lines vToSavedBoard = Join({CycleInto("DeathScoresScreen"),
                                      {"SavedScoresScreen::Enter: 0 0 640 480"},
                                      WindowSprite(640, 480),
                                      FlopAwayFrom("SwimLeft", Rect(x, 200, x + 115, 285)),
                                      {"SavedScoresScreen::Enter: 0 0 640 480", "", "Screen Class just sent message.", ""}});
    const Lines vBackToDemo = Join({CycleInto("SavedScoresScreen"),
                                    FishResetBy("SavedScoresScreen", "FlopAway"),
                                    {"DemoScreen::Enter: 0 0 640 480"},
                                    WindowSprite(640, 167),
                                    {"DemoScreen::Enter: 0 0 640 167", "", "Screen Class just sent message.", ""}});
    EXPECT_EQ(vLog, Join({StartupLog(), vToDeathBoard, vToSavedBoard, vBackToDemo}));
    EXPECT_TRUE(bLookingOnDeathBoard);
    EXPECT_TRUE(bLookingOnSavedBoard);
    EXPECT_FALSE(bLookingAfter);
    // Back to a fresh attract display: title, background, fish, calm blender.
    EXPECT_EQ(nSpritesAfter, 4u);
}

ISOLATED_TEST(AttractScenario, EscapeEndsTheLoopAtTheNextFrameAfterTheOtherKeysActed) {
    platform::SelectHeadlessBackend();
    hl::KeyDown(FrameTick(3) - 1, VK_ESCAPE);
    hl::KeyDown(FrameTick(3) - 1, VK_RIGHT);  // polled after Escape in the same frame: still inserts
    Lines vLog = RunGame();

    EXPECT_EQ(vLog, Join({StartupLog(), QuarterDeclined("DemoScreen", 1, 1)}));
    // The loop ended at that frame's tick, without running its cycle or closing the window.
    EXPECT_EQ(hl::Now(), FrameTick(3));
    EXPECT_NE(_pGame, nullptr);
}
