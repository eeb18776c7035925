// A whole blended game, from the quarter to the next game's reset, and the
// blender stopped below full speed.
#include <gtest/gtest.h>

#include "Blender/Blender.h"
#include "Screen/Screen.h"
#include "Whirlquarium.h"
#include "support/GameRun.h"
#include "support/Isolation.h"
#include "support/Passages.h"

namespace hl = platform::headless;

namespace {

// Ticks of the speedometer's steps when the blender starts at dwStart: each
// step lands in the first frame after its due tick.
std::vector<DWORD> SpeedTicks(DWORD dwStart) {
    std::vector<DWORD> v = {dwStart};  // speed 1
    for (int iSpeed = 2; iSpeed <= 10; ++iSpeed) v.push_back(FirstFrameAfter(v.back() + (iSpeed <= 7 ? 1000 : 2000)));
    return v;
}

}  // namespace

ISOLATED_TEST(BlendedScenario, WholeGameFromQuarterToTheNextGame) {
    platform::SelectHeadlessBackend();
    hl::KeyDown(100, VK_RIGHT);
    hl::KeyUp(110, VK_RIGHT);                  // one quarter, frame 4
    hl::KeyDown(200, VK_LEFT);                 // the button, from frame 7 on
    const DWORD dwRelease = 18000;             // after the water has turned to blood
    hl::KeyUp(dwRelease - 10, VK_LEFT);
    hl::KeyDown(dwRelease, VK_UP);
    hl::KeyUp(dwRelease + 30, VK_UP);
    size_t nSpritesAfterReset = 0;
    std::vector<size_t> vSpriteCounts;
    // The goodbye telegram (due 3 s after speed 10, tick 12343) lands in frame 453;
    // the fish meets the blades in its 27th update, frame 479, and is dead in frame 480.
    bool bClearBeforeBlood = false, bBloodyAfter = false;
    hl::At(FrameTick(480), [&] { bClearBeforeBlood = _pBlender->GetCurrentSprite()->GetBitmap() == _pBlenderShakingBitmap; });
    hl::At(FrameTick(480) + 1,
           [&] { bBloodyAfter = _pBlender->GetCurrentSprite()->GetBitmap() == _pBlenderShakingBloodyBitmap; });
    for (DWORD t = 0; t < 33000; t += 500) hl::At(t, [&] { vSpriteCounts.push_back(_pGame->GetSprites().size()); });
    const DWORD dwEnd = 33200;
    hl::At(dwEnd - 1, [&] { nSpritesAfterReset = _pGame->GetSprites().size(); });
    hl::Close(dwEnd);
    Lines vLog = RunGame();

    const DWORD dwStart = FrameTick(7);
    const std::vector<DWORD> vSpeed = SpeedTicks(dwStart);
    ASSERT_EQ(vSpeed[9] - dwStart, 12138u);  // about 12 s after the start, as the schedule gives it

    std::vector<Lines> vPassages = {StartupLog(), QuarterDeclined("DemoScreen", 1, 1),
                                    BlenderStarts(0, dwStart, "SwimLeft")};
    for (int iSpeed = 2; iSpeed <= 9; ++iSpeed) {
        Lines vStep = SpeedStep(iSpeed);
        if (iSpeed == 5) {
            vStep = Join({vStep,
                          {"SpeedometerScreen is writing a message: 'Msg_Panic'"},
                          MailNow(),
                          RoutedTo("Fish", "SwimTowardPlayer"),
                          {"Message 'Msg_Panic' Accepted!", "", "SpeedometerScreen just sent message.", ""}});
        }
        if (iSpeed == 7) {
            vStep = Join({vStep,
                          {"SpeedometerScreen is writing a message: 'Msg_Talk'"},
                          MailNow(),
                          RoutedTo("Fish", "Panic"),
                          {"Message 'Msg_Talk' Accepted!", "", "SpeedometerScreen just sent message.", ""}});
        }
        vStep = Join({vStep, NextSpeedUp(iSpeed >= 7 ? 2000 : 1000, vSpeed[iSpeed - 1])});
        if (iSpeed == 5) {
            // The panicking fish faces the player in the same frame.
            vStep = Join({vStep,
                          {"Panic::Enter: 265 200 380 285"},
                          SpriteBlock(0, 0, 640, 365, 690, 85),
                          {"Panic::Enter: 265 200 380 285", ""}});
        }
        vPassages.push_back(vStep);
        if (iSpeed == 2) {
            // The fish swims left to 200, back to the centre and faces the player
            // (tick 2007): the blender runs, so it stays facing the player.
            vPassages.push_back(FacePlayer(265, FrameTick(60)));
        }
        if (iSpeed == 7) {
            // The five-second telegram of facing the player reaches a panicking fish.
            vPassages.push_back(Join({{"Mailing saved letter now."},
                                      RoutedTo("Fish", "Panic"),
                                      {"FishGlobalState received a telegram.", "Message not handled"}}));
        }
    }
    // Speed 10: the fish is blended, gives up and the game is over.
    vPassages.push_back(Join({SpeedStep(10),
                              {"Speed at max, sending message to blend dorode.",
                               "SpeedometerScreen is writing a message: 'Msg_BloodyFishGoo'"},
                              MailNow(),
                              RoutedTo("Blender", "Blending"),
                              {"Message 'Msg_BloodyFishGoo' Accepted!", "", "SpeedometerScreen just sent message.", "",
                               "Bloody graphics ahead!", "", "BloodyFishGoo is writing a message."},
                              MailNow(),
                              RoutedTo("Fish", "Panic"),
                              {"Message 'Msg_Die' Accepted!", ""},
                              SpriteBlock(0, 0, 640, 365, 115, 85),
                              {"Panic is writing a message."},
                              MailLater(3000, vSpeed[9]),
                              {"Panic just sent message.", "", "Panic is writing a message."},
                              MailNow(),
                              RoutedTo("Screen", "SpeedometerScreen"),
                              {"Message 'GameOver' Accepted!", "Panic just sent message.", "",
                               "BloodyFishGoo just sent message.", "", "BloodyFishGoo::Enter: 0 0 640 480",
                               "Current Blender status: m_pBlending = 1", ""}}));
    // Three seconds later the fish sinks: 27 updates from y 200 to the blades at 280.
    ASSERT_EQ(FirstFrameAfter(vSpeed[9] + 3000), FrameTick(453));
    vPassages.push_back(Join({{"Mailing saved letter now."},
                              RoutedTo("Fish", "Panic"),
                              {"Message 'Msg_GoodbyeCruelWorld' Accepted!", ""}}));
    vPassages.push_back(Join({{"Panic is writing a message."},
                              MailNow(),
                              RoutedTo("Blender", "BloodyFishGoo"),
                              WindowSprite(5120, 480),
                              {"Panic just sent message.", ""}}));
    // The button released: goo, and the angel rises from (270, 160).
    vPassages.push_back(Join({{"Credits = 0", "Blender Stopped.", "",
                               "BloodyFishGoo::Execute - Current Blender status: m_pBlending = 0", "",
                               "BloodyFishGoo is writing a message."},
                              MailNow(),
                              RoutedTo("Fish", "Panic"),
                              {"Angel::Enter: Stating at (270, 160)"},
                              SpriteBlock(0, -85, 640, 480, 690, 85),
                              {"Angel::Enter: 270 160 385 245", "", "Message 'Msg_Rip' Accepted!", "",
                               "BloodyFishGoo just sent message.", ""},
                              WindowSprite(640, 480)}));
    // 246 updates later the angel has left the window: the blended-fish board.
    const DWORD dwReleaseFrame = FirstFrameAfter(dwRelease - 1);
    const DWORD dwAscended = FrameTick(FrameAt(dwReleaseFrame) + 246);
    vPassages.push_back(Join({{"Angel is writing a message."},
                              MailNow(),
                              RoutedTo("Screen", "SpeedometerScreen"),
                              {"Message 'Msg_ShowDeathScores' Accepted!", "DeathScoresScreen::Enter: 0 0 640 167"},
                              WindowSprite(640, 480),
                              {"DeathScoresScreen::Enter: 0 0 640 480", ""},
                              NewGameScheduled(dwAscended),
                              {"Angel just sent message.", ""}}));
    vPassages.push_back(NewGameResets("DeathScoresScreen", "BloodyFishGoo", "Angel"));
    int iEnd = ExpectPassagesInOrder(vLog, vPassages);
    EXPECT_EQ(iEnd, static_cast<int>(vLog.size())) << "nothing may follow the reset";

    // Timing: the water turns to blood in the frame after the sinking fish met the blades.
    EXPECT_TRUE(bClearBeforeBlood);
    EXPECT_TRUE(bBloodyAfter);
    EXPECT_EQ(CountLines(vLog, "Mailing saved letter now."), 9 + 1 + 1 + 1);  // steps 2-10, the stale five seconds, goodbye, new game
    EXPECT_EQ(nSpritesAfterReset, 4u);
    for (size_t n : vSpriteCounts) EXPECT_LE(n, 7u);
}

ISOLATED_TEST(BlendedScenario, ReleaseBelowTenReturnsToAttractModeAndTheFishSwimsAgain) {
    platform::SelectHeadlessBackend();
    hl::PostToWindow(100, WM_RBUTTONDOWN);
    hl::PostToWindow(150, WM_LBUTTONDOWN);  // the blender starts in frame 6
    hl::PostToWindow(2400, WM_LBUTTONUP);   // at speed 3
    size_t nSprites = 0;
    hl::At(2500, [&] { nSprites = _pGame->GetSprites().size(); });
    hl::Close(3600);
    Lines vLog = RunGame();

    const DWORD dwStart = FrameTick(6);
    const DWORD dwStep2 = FirstFrameAfter(dwStart + 1000), dwStep3 = FirstFrameAfter(dwStep2 + 1000);
    const Lines vStop = Join({{"Credits = 0", "Blender Stopped.", "",
                               "Blending::Execute - Current Blender status: m_pBlending = 0", "",
                               "Blending is writing a message."},
                              MailNow(),
                              RoutedTo("Screen", "SpeedometerScreen"),
                              {"Message 'Msg_BlenderOff' Accepted!", "Speed not max, returning to DemoScreen.", "",
                               "DemoScreen::Enter: 0 0 640 167"},
                              WindowSprite(640, 167),
                              {"DemoScreen::Enter: 0 0 640 167", "", "Blending just sent message.", "",
                               "Blending is writing a message."},
                              MailNow(),
                              RoutedTo("Fish", "SwimTowardPlayer"),
                              {"Message 'Msg_BlenderOff' Accepted!", "", "Blending just sent message.", "",
                               "Calm::Enter: 0 0 640 480"},
                              WindowSprite(640, 480),
                              {"Calm::Enter: 0 0 640 480", "Current Blender status: m_pBlending = 0", ""}});
    // The fish faces the player and has no five-seconds telegram yet: it stays.
    // The step the stopped speedometer had scheduled arrives in attract mode.
    const Lines vStale = Join({{"Mailing saved letter now."},
                               RoutedTo("Screen", "DemoScreen"),
                               {"ScreenGlobalState received a telegram.", "Message not handled"}});
    ExpectPassagesInOrder(vLog, {StartupLog(), BlenderStarts(0, dwStart, "SwimLeft"), SpeedStep(2),
                                 NextSpeedUp(1000, dwStep2), SpeedStep(3), NextSpeedUp(1000, dwStep3), vStop, vStale});
    EXPECT_EQ(nSprites, 4u);
}
