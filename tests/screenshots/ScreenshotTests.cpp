// The games of tools/screenshots/, replayed as built: every shot is the whole
// window without a pixel of the key colour, and from one moment to the next
// the window changes where the game says it does, and only there.
#include <gtest/gtest.h>

#include "screenshots/Shots.h"

using namespace shots;

namespace {

// Places in the 640 x 480 window.
const Rect kWindow = {0, 0, 640, 480};
const Rect kTitle = {0, 0, 640, 140};           // the banner of the attract display
const Rect kKitchenLeft = {0, 170, 100, 480};   // wall and counter left of the upright blender
const Rect kDial = {290, 400, 350, 455};        // the speed dial on the blender's base
const Rect kWater = {200, 100, 440, 340};       // inside the upright jar
const Rect kWaterBelowTitle = {200, 170, 440, 340};
const Rect kFacing = {265, 200, 380, 285};      // where the fish faces the player
const Rect kFacingTop = {265, 200, 380, 270};
const Rect kOnTheBlades = {265, 285, 380, 365}; // where the blended fish sinks to
const Rect kAngelStart = {270, 160, 385, 245};  // where the angel appears
const Rect kAboveTheFish = {250, 20, 400, 150}; // above anywhere the fish swims
const Rect kGoo = {190, 250, 450, 360};         // goo below the rising angel
const Rect kJar = {150, 170, 500, 460};
const Rect kUpturnedBase = {170, 40, 470, 160}; // the base, on top once the blender is upside down
const Rect kLowerJar = {220, 300, 420, 370};
const Rect kJarFloor = {150, 375, 490, 460};    // the counter inside the upturned jar
const Rect kUnderTheFacingFish = {265, 375, 380, 460};
const Rect kBoardAboveTheHops = {0, 0, 640, 300};
const Rect kHops = {0, 300, 640, 480};          // the lane of the flop-away

bool Blue(Rgb c) { return c.b > c.r + 40; }
bool Red(Rgb c) { return c.r > c.b + 60; }

// Every shot the script takes exists, fills the window and shows no key colour.
void ExpectWholeShotsWithoutKey(Story& story) {
    ASSERT_EQ(story.Error(), "");
    for (const std::string& sName : story.Names()) {
        const Shot& shot = story[sName];
        ASSERT_EQ(shot.width, 640) << story.Name() << "/" << sName << " is missing or unreadable";
        ASSERT_EQ(shot.height, 480) << story.Name() << "/" << sName;
        EXPECT_EQ(KeyPixels(shot), 0) << story.Name() << "/" << sName << " shows the key colour";
    }
}

// A score board covers the window: it differs from every other moment of the game.
void ExpectBoardDiffersFromThePlay(Story& story, const std::string& sBoard) {
    for (const std::string& sName : story.Names()) {
        if (sName == sBoard || sName.find("board") != std::string::npos || sName == "flopping-away") continue;
        EXPECT_GT(Changed(story[sBoard], story[sName], kWindow), 0.8) << sBoard << " against " << sName;
    }
}

TEST(BlendedGame, EveryMomentChangesTheWindowWhereTheGameSays) {
    Story game("blended");
    ExpectWholeShotsWithoutKey(game);
    if (HasFatalFailure()) return;
    const Shot &attract = game["attract"], &spinning = game["spinning"], &panic = game["panic"];
    const Shot &sinking = game["sinking"], &blood = game["blood"], &goo = game["goo"], &angel = game["angel"];

    EXPECT_GT(Changed(attract, spinning, kTitle), 0.9) << "the banner stays over the spinning blender";
    EXPECT_GT(Changed(attract, spinning, kWaterBelowTitle), 0.15) << "the water does not swirl";
    EXPECT_GT(Changed(attract, spinning, kDial), 0.1) << "the dial does not turn up";
    EXPECT_EQ(Changed(attract, spinning, kKitchenLeft), 0.0) << "the blender starting changes the kitchen";

    EXPECT_GT(Changed(spinning, panic, kFacing), 0.3) << "no panicking fish facing the player";
    EXPECT_EQ(Changed(spinning, panic, kKitchenLeft), 0.0);

    EXPECT_GT(Changed(panic, sinking, kFacingTop), 0.3) << "the fish has not left where it panicked";
    EXPECT_GT(Changed(panic, sinking, kOnTheBlades), 0.3) << "the sinking fish is not on the blades";
    EXPECT_TRUE(Blue(Mean(sinking, kWater)));

    EXPECT_TRUE(Red(Mean(blood, kWater))) << "the water has not turned to blood";
    EXPECT_GT(Changed(sinking, blood, kOnTheBlades), 0.5) << "the dead fish stays on the blades";
    EXPECT_EQ(Changed(sinking, blood, kKitchenLeft), 0.0);

    EXPECT_GT(Changed(blood, goo, kAngelStart), 0.5) << "no angel over the goo";
    EXPECT_TRUE(Red(Mean(goo, kWater)));

    EXPECT_GT(Changed(goo, angel, kAboveTheFish), 0.1) << "the angel has not risen above the fish's place";
    EXPECT_GT(Changed(goo, angel, kAngelStart), 0.3) << "the angel is still where it appeared";
    EXPECT_EQ(Changed(goo, angel, kGoo), 0.0) << "the goo moves under the rising angel";

    ExpectBoardDiffersFromThePlay(game, "blended-board");
    EXPECT_EQ(Changed(attract, game["next-game"], kTitle), 0.0) << "the next game does not show the banner again";
}

TEST(SavedGame, EveryMomentChangesTheWindowWhereTheGameSays) {
    Story game("saved");
    ExpectWholeShotsWithoutKey(game);
    if (HasFatalFailure()) return;
    const Shot &attract = game["attract"], &turning = game["turning"], &turned = game["turned"];
    const Shot &falling = game["water-falling"], &flailing = game["flailing"];
    const Shot &board = game["saved-board"], &flopping = game["flopping-away"];

    EXPECT_GT(Changed(attract, turning, kTitle), 0.9) << "the flip leaves the banner up";
    EXPECT_GT(Changed(attract, turning, kJar), 0.3) << "the blender does not turn";
    EXPECT_GT(Changed(turning, turned, kJar), 0.3) << "the blender stops turning half-way";
    EXPECT_GT(Changed(attract, turned, kJar), 0.5) << "the turn comes back to the calm blender before the fall";
    EXPECT_LT(Changed(turned, falling, kUpturnedBase), 0.02) << "the turn does not end where the fall begins";

    EXPECT_TRUE(Blue(Mean(falling, kLowerJar))) << "no water in the upturned jar as it starts to fall";
    EXPECT_GT(Changed(falling, flailing, kLowerJar), 0.8) << "the water has not fallen out";
    EXPECT_GT(Changed(falling, flailing, kJarFloor), 0.3) << "no fish lying at the bottom";

    ExpectBoardDiffersFromThePlay(game, "saved-board");
    EXPECT_EQ(Changed(board, flopping, kBoardAboveTheHops), 0.0) << "the fish leaves the floor, or the board moves";
    EXPECT_GT(Changed(board, flopping, kHops), 0.02) << "the fish does not hop along the floor";
    EXPECT_EQ(Changed(attract, game["next-game"], kTitle), 0.0) << "the next game does not show the banner again";
}

TEST(FlipWhileSpinning, SavesThePanickingFishLikeACalmFlip) {
    Story game("flip-while-spinning");
    ExpectWholeShotsWithoutKey(game);
    if (HasFatalFailure()) return;
    const Shot &panic = game["panic"], &turning = game["turning"], &falling = game["water-falling"];
    const Shot &flailing = game["flailing"];

    EXPECT_GT(Changed(panic, turning, kJar), 0.3) << "the spinning blender does not turn over";
    EXPECT_GT(Changed(turning, falling, kUpturnedBase), 0.5) << "the blender is not upside down";
    EXPECT_TRUE(Blue(Mean(falling, kLowerJar)));
    EXPECT_GT(Changed(falling, flailing, kUnderTheFacingFish), 0.5) << "the fish does not lie below where it panicked";
    ExpectBoardDiffersFromThePlay(game, "saved-board");
    EXPECT_EQ(Changed(game["attract"], game["next-game"], kTitle), 0.0);
}

TEST(ScoreBoards, TheBlendedAndTheSavedBoardsDiffer) {
    Story blended("blended"), saved("saved");
    ASSERT_EQ(blended.Error(), "");
    ASSERT_EQ(saved.Error(), "");
    const Shot &deathBoard = blended["blended-board"], &savedBoard = saved["saved-board"];
    ASSERT_GT(deathBoard.width, 0);
    ASSERT_GT(savedBoard.width, 0);
    EXPECT_GT(Changed(deathBoard, savedBoard, kWindow), 0.15);
    EXPECT_GT(Changed(deathBoard, savedBoard, kTitle), 0.1) << "the two boards carry the same heading";
}

}  // namespace
