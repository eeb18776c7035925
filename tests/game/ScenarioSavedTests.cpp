// Whole saved games: a flip of the spinning blender and a flip of the calm one.
#include <gtest/gtest.h>

#include "Blender/Blender.h"
#include "Screen/Screen.h"
#include "Whirlquarium.h"
#include "support/GameRun.h"
#include "support/Isolation.h"
#include "support/Passages.h"

namespace hl = platform::headless;

namespace {

// FlipOver's entry, from the moment the turning sprite replaces the old one.
Lines FlipOverEnters(int iBlending, DWORD dwTick, const std::string& sScreenState, const Lines& vHideTitle) {
    return Join({{"FlipOver::Enter: 0 0 640 480"},
                 WindowSprite(3200, 480),
                 {"FlipOver::Enter: 0 0 640 480", "Current Blender status: m_pBlending = " + std::to_string(iBlending), "",
                  "FlipOver is writing a message."},
                 MailLater(300, dwTick),
                 {"FlipOver just sent message.", "", "FlipOver is writing a message."},
                 MailNow(),
                 RoutedTo("Screen", sScreenState),
                 vHideTitle,
                 {"FlipOver just sent message.", "", "FlipOver is writing a message."},
                 MailNow(),
                 RoutedTo("Screen", sScreenState),
                 {"Message 'GameOver' Accepted!"},
                 sScreenState == "DemoScreen" ? Lines{""} : Lines{},
                 {"FlipOver just sent message.", ""}});
}

// The water falls out and the fish, at sOld, is saved and drops.
Lines WaterFalls(const std::string& sFishState, const std::string& sOld, const std::string& sNew) {
    return Join({{"Mailing saved letter now."},
                 RoutedTo("Blender", "FlipOver"),
                 {"Message 'Msg_Gravity' Accepted!", ""},
                 WindowSprite(640, 480),
                 SpriteBlock(-1, -1, 641, 962, 640, 480),
                 {"FlipOver is writing a message."},
                 MailNow(),
                 RoutedTo("Fish", sFishState),
                 {"FishGlobalState received a telegram.", "Message 'Msg_Saved' Accepted!", "", "Saved::Enter: " + sOld},
                 SpriteBlock(0, 0, 640, 460, 115, 85),
                 {"Saved::Enter: " + sNew, "", "FlipOver just sent message.", ""}});
}

// The dropped fish has landed and flails; it asks for the board in five seconds.
Lines FishLands(DWORD dwTick) {
    return Join({SpriteBlock(0, 0, 640, 480, 230, 85),
                 {"Saved is writing a message."},
                 MailLater(5000, dwTick),
                 {"Saved just sent message.", ""}});
}

Lines SavedBoardShown(const std::string& sScreenState, const std::string& sFishAt, DWORD dwTick) {
    return Join({{"Mailing saved letter now."},
                 RoutedTo("Screen", sScreenState),
                 {"Message 'Msg_ShowSavedScores' Accepted!"},
                 sScreenState == "DemoScreen" ? Lines{""} : Lines{},
                 {"SavedScoresScreen::Enter: 0 0 640 167"},
                 WindowSprite(640, 480),
                 FlopAwayFrom("Saved", sFishAt),
                 {"SavedScoresScreen::Enter: 0 0 640 480", ""},
                 NewGameScheduled(dwTick)});
}

}  // namespace

ISOLATED_TEST(SavedScenario, FlipWhileSpinningCancelsTheSpeedometerAndSavesTheFish) {
    platform::SelectHeadlessBackend();
    hl::KeyDown(100, VK_RIGHT);
    hl::KeyUp(110, VK_RIGHT);
    hl::KeyDown(200, VK_LEFT);   // blending from frame 7
    hl::KeyDown(2500, VK_DOWN);  // the flip, seen by frame 75 only
    hl::KeyUp(2520, VK_DOWN);
    hl::KeyUp(4000, VK_LEFT);    // the held button no longer matters once the game is over
    hl::KeyDown(4000, VK_UP);
    hl::KeyUp(4030, VK_UP);
    size_t nSpritesWhileSaved = 0, nSpritesAfterReset = 0;
    hl::At(3000, [&] { nSpritesWhileSaved = _pGame->GetSprites().size(); });
    hl::At(15000, [&] { nSpritesAfterReset = _pGame->GetSprites().size(); });
    hl::Close(15010);
    Lines vLog = RunGame();

    const DWORD dwStart = FrameTick(7), dwFlip = FrameTick(75);
    const DWORD dwStep2 = FirstFrameAfter(dwStart + 1000), dwStep3 = FirstFrameAfter(dwStep2 + 1000);
    const DWORD dwGravity = FirstFrameAfter(dwFlip + 300);  // frame 84
    // The fish drops from (265, 200) to y 375 in 26 updates, from frame 84 on.
    const DWORD dwLanded = FrameTick(FrameAt(dwGravity) + 26);
    const DWORD dwBoard = FirstFrameAfter(dwLanded + 5000);
    const Lines vFlip = Join({{"Blending is writing a message."},
                              MailNow(),
                              RoutedTo("Screen", "SpeedometerScreen"),
                              {"Message 'Msg_CancelBlending' Accepted!", "Blending just sent message.", "",
                               "Blending is writing a message."},
                              MailNow(),
                              RoutedTo("Blender", "Blending"),
                              {"Message 'Msg_Flip' Accepted!", ""},
                              FlipOverEnters(1, dwFlip, "SpeedometerScreen",
                                             {"ScreenGlobalState received a telegram.", "Message not handled"}),
                              {"Blending just sent message.", ""}});
    // The canceled speedometer's last step is accepted and ends the chain.
    const Lines vCanceledStep = Join({{"Mailing saved letter now."},
                                      RoutedTo("Screen", "SpeedometerScreen"),
                                      {"Message 'Msg_SpeedUp' Accepted!"}});
    int iEnd = ExpectPassagesInOrder(
        vLog, {StartupLog(), QuarterDeclined("DemoScreen", 1, 1), BlenderStarts(0, dwStart, "SwimLeft"), SpeedStep(2),
               NextSpeedUp(1000, dwStep2), FacePlayer(265, FrameTick(60)), SpeedStep(3), NextSpeedUp(1000, dwStep3),
               vFlip, WaterFalls("SwimTowardPlayer", "265 200 380 285", "265 200 380 285")});
    ASSERT_GE(iEnd, 0);
    // Between the fall of the water and the landing, only the canceled speed-up.
    const Lines vNext = Join({vCanceledStep, FishLands(dwLanded)});
    ASSERT_GE(vLog.size(), iEnd + vNext.size());
    EXPECT_EQ(Slice(vLog, iEnd, iEnd + static_cast<int>(vNext.size())), vNext);
    ExpectPassagesInOrder(vLog,
                          {{"Credits = 0", "Blender Stopped.", ""},
                           SavedBoardShown("SpeedometerScreen", "265 375 380 460", dwBoard),
                           NewGameResets("SavedScoresScreen", "FlipOver", "FlopAway")},
                          iEnd);
    EXPECT_EQ(CountLines(vLog, "Speed Up! m_iSpeed = 4"), 0);
    // Screen top (none: the title is gone), background, upside-down blender, falling water, dropping fish.
    EXPECT_EQ(nSpritesWhileSaved, 4u);
    EXPECT_EQ(nSpritesAfterReset, 4u);
}

ISOLATED_TEST(SavedScenario, FlipOfTheCalmBlenderHidesTheTitleAndSavesTheSwimmingFish) {
    platform::SelectHeadlessBackend();
    hl::KeyDown(300, VK_DOWN);  // seen by frame 10 only
    hl::KeyUp(320, VK_DOWN);
    bool bTitleHidden = false;
    size_t nSpritesAfterReset = 0;
    hl::At(400, [&] { bTitleHidden = _pScreen->GetCurrentSprite() && _pScreen->GetCurrentSprite()->IsHidden(); });
    hl::At(13000, [&] { nSpritesAfterReset = _pGame->GetSprites().size(); });
    hl::Close(13010);
    Lines vLog = RunGame();

    const DWORD dwFlip = FrameTick(10);
    const DWORD dwGravity = FirstFrameAfter(dwFlip + 300);  // frame 19
    const int x = 250 - 2 * (FrameAt(dwGravity) - 1);         // the fish swims left until then
    const std::string sAt = Rect(x, 200, x + 115, 285);
    const DWORD dwLanded = FrameTick(FrameAt(dwGravity) + 26);
    const DWORD dwBoard = FirstFrameAfter(dwLanded + 5000);
    int iEnd = ExpectPassagesInOrder(
        vLog, {StartupLog(),
               FlipOverEnters(0, dwFlip, "DemoScreen", {"Message 'HideTitle' Accepted!", ""}),
               WaterFalls("SwimLeft", sAt, sAt), FishLands(dwLanded),
               SavedBoardShown("DemoScreen", Rect(x, 375, x + 115, 460), dwBoard),
               NewGameResets("SavedScoresScreen", "FlipOver", "FlopAway")});
    ASSERT_GE(iEnd, 0);
    // A calm flip sends neither cancel nor flip telegrams.
    EXPECT_EQ(CountLines(vLog, "Message 'Msg_CancelBlending' Accepted!"), 0);
    EXPECT_EQ(CountLines(vLog, "Message 'Msg_Flip' Accepted!"), 0);
    EXPECT_TRUE(bTitleHidden);
    EXPECT_EQ(nSpritesAfterReset, 4u);
}
