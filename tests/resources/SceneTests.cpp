// The pictures line up with where the game puts them: the fish stays in the
// water, the overlays cover what they lie on, and the flip's last pose hands
// over seamlessly to the upturned blender and the falling water.
#include <gtest/gtest.h>

#include "resources/ResourceFiles.h"

using namespace res;

namespace {

const int kFishW = 115, kFishH = 85;

struct Rect {
    int left, top, right, bottom;
};

long KeyPixels(const Image& img, Rect r) {
    long n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += img.Key(x, y);
    return n;
}

double Agreement(const Image& a, const Image& b) {
    long same = 0;
    for (size_t i = 0; i < a.px.size(); ++i)
        same += (a.px[i].r == b.px[i].r && a.px[i].g == b.px[i].g && a.px[i].b == b.px[i].b);
    return double(same) / double(a.px.size());
}

// The fish swims with its top-left between x 200 and 320 at y 200, faces the
// player at (265, 200) and sinks to y 280: all of that must be under water.
const Rect kSwimArea = {200, 200, 435, 285};
const Rect kSinkColumn = {265, 200, 380, 365};

TEST(Water, CoversTheSwimmingAreaAndReachesTheBlades) {
    struct Strip {
        int id, frames;
    } strips[] = {{2009, 1}, {2013, 8}, {2014, 8}, {2015, 1}};
    for (auto s : strips) {
        Image img = LoadBitmap(s.id);
        ASSERT_GT(img.width, 0) << s.id;
        for (int f = 0; f < s.frames; ++f) {
            Image fr = Frame(img, f, 640);
            EXPECT_EQ(KeyPixels(fr, kSwimArea), 0) << s.id << " frame " << f << ": the fish would swim in the air";
            EXPECT_EQ(KeyPixels(fr, kSinkColumn), 0) << s.id << " frame " << f << ": the fish sinks out of the jar";
        }
    }
}

TEST(Water, EveryBlenderStandsOnTheCounterAndLeavesTheKitchenVisible) {
    for (int id : {2009, 2013, 2014, 2015}) {
        Image img = LoadBitmap(id);
        int frames = img.width / 640;
        for (int f = 0; f < frames; ++f) {
            Image fr = Frame(img, f, 640);
            EXPECT_EQ(KeyPixels(fr, {0, 0, 100, 480}), 100 * 480) << id << ": the left of the kitchen is covered";
            EXPECT_EQ(KeyPixels(fr, {580, 0, 640, 480}), 60 * 480) << id << ": the right of the kitchen is covered";
            EXPECT_EQ(KeyPixels(fr, {0, 470, 640, 480}), 640 * 10) << id << ": the blender hangs below the counter";
            EXPECT_LT(KeyPixels(fr, {200, 440, 440, 462}), 240 * 22 / 10) << id << ": no base on the counter";
        }
    }
}

TEST(Overlays, PanicAndGiveUpHideTheFrontViewBeneathThem) {
    Image front = LoadBitmap(2002), panic = LoadBitmap(2006), giveUp = LoadBitmap(2007);
    // the front view's body around the frame centre must be covered in every combination
    Rect body = {40, 26, 76, 70};
    for (int f = 0; f < 8; ++f) {
        Image under = Frame(front, f, kFishW);
        for (int p = 0; p < 7; ++p) {
            Image over = p < 6 ? Frame(panic, p, kFishW) : giveUp;
            int uncovered = 0;
            for (int y = body.top; y < body.bottom; ++y)
                for (int x = body.left; x < body.right; ++x)
                    uncovered += (!under.Key(x, y) && over.Key(x, y));
            EXPECT_EQ(uncovered, 0) << "front frame " << f << " shows through overlay " << p;
        }
    }
}

TEST(FishFrames, NothingIsCutOffAtTheFrameEdges) {
    struct Strip {
        int id, frames;
        bool onFloor;  // lies on the ground: may touch the bottom edge
    } strips[] = {{2000, 8, false}, {2001, 8, false}, {2002, 8, false}, {2003, 2, true}, {2004, 1, false},
                  {2005, 1, true},  {2006, 6, false}, {2007, 1, false}, {2008, 6, false}};
    for (auto s : strips) {
        Image img = LoadBitmap(s.id);
        for (int f = 0; f < s.frames; ++f) {
            Image fr = Frame(img, f, kFishW);
            EXPECT_EQ(KeyPixels(fr, {0, 0, 1, kFishH}), kFishH) << s.id << "/" << f << " left edge";
            EXPECT_EQ(KeyPixels(fr, {kFishW - 1, 0, kFishW, kFishH}), kFishH) << s.id << "/" << f << " right edge";
            EXPECT_EQ(KeyPixels(fr, {0, 0, kFishW, 1}), kFishW) << s.id << "/" << f << " top edge";
            if (!s.onFloor) {
                EXPECT_EQ(KeyPixels(fr, {0, kFishH - 1, kFishW, kFishH}), kFishW) << s.id << "/" << f << " bottom";
            }
        }
    }
}

TEST(FishFrames, GroundedPicturesRestOnTheirBottomRow) {
    // the flailing fish lies at the bottom of the upturned jar, the landed hop on the window's bottom edge
    Image flail = LoadBitmap(2003), landed = LoadBitmap(2005);
    for (int f = 0; f < 2; ++f)
        EXPECT_LT(KeyPixels(Frame(flail, f, kFishW), {0, kFishH - 1, kFishW, kFishH}), kFishW) << "flail " << f;
    EXPECT_LT(KeyPixels(landed, {0, kFishH - 1, kFishW, kFishH}), kFishW);
}

TEST(SwimStrips, RightIsTheMirrorOfLeft) {
    Image left = LoadBitmap(2000), right = LoadBitmap(2001);
    for (int f = 0; f < 8; ++f) {
        Image a = Frame(left, f, kFishW), b = Frame(right, f, kFishW);
        int mismatched = 0;
        for (int y = 0; y < kFishH; ++y)
            for (int x = 0; x < kFishW; ++x) mismatched += a.Key(x, y) != b.Key(kFishW - 1 - x, y);
        EXPECT_EQ(mismatched, 0) << "frame " << f;
    }
}

TEST(Flip, TurnGoesAwayFromTheCalmBlenderAndEndsAsTheUpturnedOneWithItsWater) {
    Image turning = LoadBitmap(2010), calm = LoadBitmap(2009);
    Image upturned = LoadBitmap(2011), water = LoadBitmap(2012);
    // the falling water sits under the upturned blender (z-orders 10 and 21)
    Image end = Over(water, upturned);
    // The strip loops and is first drawn after one frame step, so the game shows
    // frames 1, 2, 3, 4 and then 0 before the upturned blender takes over.
    EXPECT_GT(Agreement(Frame(turning, 0, 640), end), 0.97) << "the turn must end where the fall begins";
    for (int f = 1; f < 5; ++f) {
        EXPECT_LT(Agreement(Frame(turning, f, 640), calm), 0.9) << "frame " << f << " shows the calm blender";
        EXPECT_LT(Agreement(Frame(turning, f, 640), end), 0.9) << "frame " << f << " is already upside down";
    }
}

TEST(Flip, TheFishFallsBehindTheUpturnedGlassAndInFrontOfTheWater) {
    Image upturned = LoadBitmap(2011), water = LoadBitmap(2012);
    // the fish drops from y 200 to a bottom at 460 inside the upturned jar; only glints may hide it
    Rect fall = {205, 200, 430, 455};
    long area = long(fall.right - fall.left) * (fall.bottom - fall.top);
    EXPECT_GT(KeyPixels(upturned, fall), area * 9 / 10) << "the upturned jar hides the falling fish";
    // and at the moment of the flip the water fills the jar below its surface
    EXPECT_EQ(KeyPixels(water, {215, 330, 420, 450}), 0);
    // the kitchen shows beside the upturned blender
    EXPECT_EQ(KeyPixels(upturned, {0, 0, 80, 480}), 80 * 480);
}

TEST(Title, CoversTheTopOfTheWindowAndLetsTheJarShowBelowItsEdge) {
    Image title = LoadBitmap(2017);
    EXPECT_EQ(KeyPixels(title, {0, 0, 640, 140}), 0) << "the banner is solid across the top";
    EXPECT_GT(KeyPixels(title, {0, 160, 640, 167}), 0) << "the bottom edge is shaped, not a hard line";
}

}  // namespace
