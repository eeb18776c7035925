// Sprite motion at each bounds action, frame stepping, collision rectangles and
// the diagnostic block of the bounds constructor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/Sprite.h"
#include "engine/TestImages.h"
#include "support/CaptureLog.h"

using test_images::SizedBitmap;

namespace {

RECT rcField = {0, 0, 640, 480};

Sprite MakeSprite(Bitmap& bmp, int x, int y, int vx, int vy, BOUNDSACTION ba, RECT& rcBounds = rcField) {
    return Sprite(&bmp, POINT{x, y}, POINT{vx, vy}, 0, rcBounds, ba);
}

// The frame index after each of n updates.
std::vector<int> FramesOver(Sprite& sprite, int n) {
    std::vector<int> v;
    for (int i = 0; i < n; ++i) {
        sprite.Update();
        v.push_back(sprite.GetCurFrame());
    }
    return v;
}

}  // namespace

TEST(SpriteMotion, StopClampsAtTheRightEdgeAndKeepsTheBoundHitFlag) {
    SizedBitmap bmp(115, 85);
    Sprite sprite = MakeSprite(bmp, 520, 100, 10, 0, BA_STOP);
    EXPECT_FALSE(sprite.GetBoundHit());

    EXPECT_EQ(SA_NONE, sprite.Update());
    EXPECT_EQ(525, sprite.GetPosition().left);
    EXPECT_EQ(640, sprite.GetPosition().right);
    EXPECT_EQ(0, sprite.GetVelocity().x);
    EXPECT_EQ(0, sprite.GetVelocity().y);
    EXPECT_TRUE(sprite.GetBoundHit());

    sprite.SetVelocity(-10, 0);
    sprite.Update();
    EXPECT_EQ(515, sprite.GetPosition().left);
    EXPECT_EQ(-10, sprite.GetVelocity().x);
    EXPECT_TRUE(sprite.GetBoundHit());
}

TEST(SpriteMotion, StopClampsEachAxisOnItsOwnAndStopsBoth) {
    SizedBitmap bmp(100, 50);
    Sprite sprite = MakeSprite(bmp, 300, 5, 7, -10, BA_STOP);
    sprite.Update();
    // Only the vertical edge was crossed, yet the horizontal move of this step is kept.
    EXPECT_EQ(307, sprite.GetPosition().left);
    EXPECT_EQ(0, sprite.GetPosition().top);
    EXPECT_EQ(0, sprite.GetVelocity().x);
    EXPECT_EQ(0, sprite.GetVelocity().y);

    Sprite corner = MakeSprite(bmp, 3, 2, -5, -5, BA_STOP);
    corner.Update();
    EXPECT_EQ(0, corner.GetPosition().left);
    EXPECT_EQ(0, corner.GetPosition().top);

    Sprite bottom = MakeSprite(bmp, 10, 425, 0, 10, BA_STOP);
    bottom.Update();
    EXPECT_EQ(430, bottom.GetPosition().top);
    EXPECT_EQ(480, bottom.GetPosition().bottom);
}

TEST(SpriteMotion, StopInsideTheBoundsNeitherClampsNorSetsTheFlag) {
    SizedBitmap bmp(100, 50);
    Sprite sprite = MakeSprite(bmp, 530, 0, 10, 0, BA_STOP);
    sprite.Update();  // lands exactly on the right edge
    EXPECT_EQ(540, sprite.GetPosition().left);
    EXPECT_EQ(10, sprite.GetVelocity().x);
    EXPECT_FALSE(sprite.GetBoundHit());
}

TEST(SpriteMotion, AnUnknownBoundsActionActsAsStop) {
    SizedBitmap bmp(115, 85);
    Sprite sprite = MakeSprite(bmp, 520, 100, 10, 0, static_cast<BOUNDSACTION>(7));
    sprite.Update();
    EXPECT_EQ(525, sprite.GetPosition().left);
    EXPECT_TRUE(sprite.GetBoundHit());
}

TEST(SpriteMotion, WrapJumpsOnlyOnceWhollyOutside) {
    SizedBitmap bmp(100, 50);
    Sprite sprite = MakeSprite(bmp, -95, 10, -5, 0, BA_WRAP);
    sprite.Update();  // right edge exactly on the left bound: not yet outside
    EXPECT_EQ(-100, sprite.GetPosition().left);
    sprite.Update();
    EXPECT_EQ(640, sprite.GetPosition().left);
    EXPECT_EQ(740, sprite.GetPosition().right);
    EXPECT_EQ(-5, sprite.GetVelocity().x);

    Sprite right = MakeSprite(bmp, 636, 10, 5, 0, BA_WRAP);
    right.Update();
    EXPECT_EQ(-100, right.GetPosition().left);

    Sprite down = MakeSprite(bmp, 10, 478, 0, 3, BA_WRAP);
    down.Update();
    EXPECT_EQ(-50, down.GetPosition().top);
    Sprite up = MakeSprite(bmp, 10, -49, 0, -2, BA_WRAP);
    up.Update();
    EXPECT_EQ(480, up.GetPosition().top);
}

TEST(SpriteMotion, BounceReflectsOnlyTheAxisThatHit) {
    SizedBitmap bmp(100, 50);
    Sprite sprite = MakeSprite(bmp, 200, 425, 4, 10, BA_BOUNCE);
    sprite.Update();
    EXPECT_EQ(204, sprite.GetPosition().left);
    EXPECT_EQ(430, sprite.GetPosition().top);
    EXPECT_EQ(4, sprite.GetVelocity().x);
    EXPECT_EQ(-10, sprite.GetVelocity().y);
    sprite.Update();
    EXPECT_EQ(420, sprite.GetPosition().top);

    Sprite left = MakeSprite(bmp, 2, 0, -5, -3, BA_BOUNCE);
    left.Update();
    EXPECT_EQ(0, left.GetPosition().left);
    EXPECT_EQ(0, left.GetPosition().top);
    EXPECT_EQ(5, left.GetVelocity().x);
    EXPECT_EQ(3, left.GetVelocity().y);
    EXPECT_FALSE(left.GetBoundHit());

    Sprite right = MakeSprite(bmp, 538, 100, 5, 0, BA_BOUNCE);
    right.Update();
    EXPECT_EQ(540, right.GetPosition().left);
    EXPECT_EQ(-5, right.GetVelocity().x);
}

TEST(SpriteMotion, DieOnlyWhenWhollyOutsideAndWithoutMoving) {
    SizedBitmap bmp(100, 50);
    Sprite sprite = MakeSprite(bmp, -60, 0, -40, 0, BA_DIE);
    EXPECT_EQ(SA_NONE, sprite.Update());  // partly visible, then exactly on the edge
    EXPECT_EQ(-100, sprite.GetPosition().left);
    EXPECT_EQ(SA_KILL, sprite.Update());
    EXPECT_EQ(-100, sprite.GetPosition().left);

    Sprite up = MakeSprite(bmp, 0, -45, 0, -6, BA_DIE);
    EXPECT_EQ(SA_KILL, up.Update());
    Sprite down = MakeSprite(bmp, 0, 475, 0, 6, BA_DIE);
    EXPECT_EQ(SA_KILL, down.Update());
    Sprite right = MakeSprite(bmp, 600, 0, 39, 0, BA_DIE);
    EXPECT_EQ(SA_NONE, right.Update());
    EXPECT_EQ(SA_KILL, right.Update());
}

TEST(SpriteMotion, ADyingSprite_IsKilledWithoutMovingOrAnimating) {
    SizedBitmap bmp(400, 50);
    Sprite sprite = MakeSprite(bmp, 10, 10, 5, 5, BA_WRAP);
    sprite.SetNumFrames(4);
    sprite.Kill();
    EXPECT_TRUE(sprite.IsDying());
    EXPECT_EQ(SA_KILL, sprite.Update());
    EXPECT_EQ(10, sprite.GetPosition().left);
    EXPECT_EQ(0, sprite.GetCurFrame());
}

TEST(SpriteMotion, AHiddenSpriteStillMovesAnimatesAndCollides) {
    SizedBitmap bmp(200, 50);
    Sprite hidden = MakeSprite(bmp, 0, 0, 10, 0, BA_WRAP);
    hidden.SetNumFrames(2);
    hidden.SetHidden(TRUE);
    hidden.Update();
    EXPECT_EQ(10, hidden.GetPosition().left);
    EXPECT_EQ(1, hidden.GetCurFrame());
    Sprite other = MakeSprite(bmp, 50, 0, 0, 0, BA_WRAP);
    EXPECT_TRUE(other.TestCollision(&hidden));
}

TEST(SpriteFrames, AStripOfEightFramesWithDelayTwo) {
    SizedBitmap bmp(920, 85);
    Sprite sprite = MakeSprite(bmp, 0, 0, 0, 0, BA_STOP);
    sprite.SetNumFrames(8, FALSE);
    EXPECT_EQ(115, sprite.GetWidth());
    EXPECT_EQ(85, sprite.GetHeight());
    EXPECT_EQ(115, sprite.GetPosition().right - sprite.GetPosition().left);
    // The collision rectangle follows the narrower position rectangle.
    EXPECT_EQ(9, sprite.GetCollision().left);
    EXPECT_EQ(106, sprite.GetCollision().right);

    sprite.SetFrameDelay(2);
    EXPECT_EQ(0, sprite.GetCurFrame());
    EXPECT_EQ((std::vector<int>{1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 0, 0, 1}), FramesOver(sprite, 17));
}

TEST(SpriteFrames, DelaysZeroAndOneStepEveryUpdateAndANegativeDelayNever) {
    SizedBitmap bmp(300, 10);
    for (int iDelay : {0, 1}) {
        Sprite sprite = MakeSprite(bmp, 0, 0, 0, 0, BA_STOP);
        sprite.SetNumFrames(3);
        sprite.SetFrameDelay(iDelay);
        EXPECT_EQ((std::vector<int>{1, 2, 0, 1}), FramesOver(sprite, 4)) << "delay " << iDelay;
    }
    Sprite still = MakeSprite(bmp, 0, 0, 0, 0, BA_STOP);
    still.SetNumFrames(3);
    still.SetFrameDelay(-1);
    EXPECT_EQ((std::vector<int>{0, 0, 0}), FramesOver(still, 3));

    Sprite slow = MakeSprite(bmp, 0, 0, 0, 0, BA_STOP);
    slow.SetNumFrames(3);
    slow.SetFrameDelay(3);
    EXPECT_EQ((std::vector<int>{1, 1, 1, 2, 2, 2, 0}), FramesOver(slow, 7));
}

TEST(SpriteFrames, ChangingTheDelayKeepsTheRunningCountdown) {
    SizedBitmap bmp(300, 10);
    Sprite sprite = MakeSprite(bmp, 0, 0, 0, 0, BA_STOP);
    sprite.SetNumFrames(3);
    sprite.SetFrameDelay(3);
    FramesOver(sprite, 1);  // frame 1, countdown reloaded with 3
    sprite.SetFrameDelay(1);
    EXPECT_EQ((std::vector<int>{1, 1, 2, 0}), FramesOver(sprite, 4));
}

TEST(SpriteFrames, OneCycleEitherFreezesOnTheLastFrameOrEndsTheSprite) {
    SizedBitmap bmp(300, 10);
    Sprite frozen = MakeSprite(bmp, 0, 0, 0, 0, BA_STOP);
    frozen.SetNumFrames(3, TRUE);
    frozen.SetFreezeFrame(true);
    EXPECT_EQ((std::vector<int>{1, 2, 2, 2, 2}), FramesOver(frozen, 5));
    EXPECT_FALSE(frozen.IsDying());
    EXPECT_EQ(SA_NONE, frozen.Update());

    Sprite once = MakeSprite(bmp, 0, 0, 0, 0, BA_STOP);
    once.SetNumFrames(3, TRUE);
    EXPECT_EQ(SA_NONE, once.Update());
    EXPECT_EQ(SA_NONE, once.Update());
    EXPECT_EQ(SA_NONE, once.Update());  // steps past the last frame
    EXPECT_TRUE(once.IsDying());
    EXPECT_EQ(3, once.GetCurFrame());
    EXPECT_EQ(SA_KILL, once.Update());
}

TEST(SpriteFrames, AFrameCountBelowOneIsTakenAsOne) {
    SizedBitmap bmp(120, 10);
    Sprite sprite = MakeSprite(bmp, 0, 0, 0, 0, BA_STOP);
    sprite.SetNumFrames(0);
    EXPECT_EQ(1, sprite.GetNumFrames());
    EXPECT_EQ(120, sprite.GetWidth());
    EXPECT_EQ(SA_NONE, sprite.Update());
}

TEST(SpriteGeometry, CollisionRectangleShrinksByATwelfthOnEachSide) {
    SizedBitmap frame(115, 85);
    Sprite fish = MakeSprite(frame, 100, 200, 0, 0, BA_STOP);
    RECT& rc = fish.GetCollision();
    EXPECT_EQ(109, rc.left);
    EXPECT_EQ(207, rc.top);
    EXPECT_EQ(206, rc.right);
    EXPECT_EQ(278, rc.bottom);

    fish.SetPosition(0, 0);
    EXPECT_EQ(9, fish.GetCollision().left);
    EXPECT_EQ(7, fish.GetCollision().top);

    SizedBitmap full(640, 480);
    Sprite screen(&full);
    EXPECT_EQ(53, screen.GetCollision().left);
    EXPECT_EQ(40, screen.GetCollision().top);
    EXPECT_EQ(587, screen.GetCollision().right);
    EXPECT_EQ(440, screen.GetCollision().bottom);

    RECT rcMoved = {10, 10, 22, 22};
    screen.SetPosition(rcMoved);
    EXPECT_EQ(11, screen.GetCollision().left);
    EXPECT_EQ(21, screen.GetCollision().right);
}

TEST(SpriteGeometry, CollisionIsSymmetricAndTouchingCounts) {
    SizedBitmap bmp(12, 12);  // collision rectangle 1 pixel inside on every side
    Sprite a = MakeSprite(bmp, 0, 0, 0, 0, BA_STOP);
    Sprite b = MakeSprite(bmp, 10, 0, 0, 0, BA_STOP);  // a's collision right 11, b's left 11
    EXPECT_TRUE(a.TestCollision(&b));
    EXPECT_TRUE(b.TestCollision(&a));

    b.SetPosition(11, 0);
    EXPECT_FALSE(a.TestCollision(&b));
    EXPECT_FALSE(b.TestCollision(&a));

    b.SetPosition(0, 10);
    EXPECT_TRUE(a.TestCollision(&b));
    b.SetPosition(0, 11);
    EXPECT_FALSE(b.TestCollision(&a));
}

TEST(SpriteGeometry, PointInsideExcludesRightAndBottom) {
    SizedBitmap bmp(10, 20);
    Sprite sprite = MakeSprite(bmp, 5, 5, 0, 0, BA_STOP);
    EXPECT_TRUE(sprite.IsPointInside(5, 5));
    EXPECT_TRUE(sprite.IsPointInside(14, 24));
    EXPECT_FALSE(sprite.IsPointInside(15, 10));
    EXPECT_FALSE(sprite.IsPointInside(10, 25));
    EXPECT_FALSE(sprite.IsPointInside(4, 10));
}

TEST(SpriteGeometry, PositionSettersKeepTheSize) {
    SizedBitmap bmp(30, 20);
    Sprite sprite(&bmp);
    EXPECT_EQ(0, sprite.GetPosition().left);
    EXPECT_EQ(30, sprite.GetPosition().right);
    sprite.SetPosition(POINT{7, -3});
    EXPECT_EQ(7, sprite.GetPosition().left);
    EXPECT_EQ(-3, sprite.GetPosition().top);
    EXPECT_EQ(37, sprite.GetPosition().right);
    EXPECT_EQ(17, sprite.GetPosition().bottom);
    EXPECT_EQ(9, sprite.GetCollision().left);
}

TEST(SpriteConstruction, BoundsConstructorWritesItsDiagnosticBlock) {
    SizedBitmap bmp(640, 480);
    RECT rcBounds = {0, 0, 640, 480};
    CaptureLog log;
    Sprite sprite(&bmp, rcBounds, BA_WRAP);
    EXPECT_EQ((std::vector<std::string>{
                  "Sprite Attributes", "rcBounds: 0 0 640 480", "m_rcBounds: 0 0 0 0", "m_rcPosition: 0 0 0 0",
                  "m_rcCollision: 0 0 0 0", "rcBounds: 0 0 640 480", "m_rcBounds: 0 0 640 480",
                  "m_rcPosition: 0 0 640 480", "m_rcCollision: 53 40 587 440"}),
              log.Lines());
}

TEST(SpriteConstruction, BoundsConstructorKeepsItsBoundsAndActionWithDefaultsElsewhere) {
    SizedBitmap bmp(100, 40);
    RECT rcBounds = {-10, 20, 300, 200};
    CaptureLog log;
    Sprite sprite(&bmp, rcBounds, BA_BOUNCE);
    EXPECT_EQ("rcBounds: -10 20 300 200", log.Lines()[1]);
    EXPECT_EQ("m_rcBounds: -10 20 300 200", log.Lines()[6]);
    EXPECT_EQ(0, sprite.GetZOrder());
    EXPECT_EQ(1, sprite.GetNumFrames());
    EXPECT_FALSE(sprite.IsHidden());
    // Bounce is in force: starting above the top bound sends it back in.
    sprite.SetVelocity(0, -1);
    sprite.Update();
    EXPECT_EQ(20, sprite.GetPosition().top);
    EXPECT_EQ(1, sprite.GetVelocity().y);
}

TEST(SpriteConstruction, ATopDownBitmapGivesFramesOfItsRealHeight) {
    SizedBitmap bmp(60, -20);
    Sprite sprite(&bmp);
    EXPECT_EQ(20, sprite.GetHeight());
    EXPECT_EQ(20, sprite.GetPosition().bottom);
}
