// Sprite motion at each bounds action, frame stepping and collision rectangles.
#include <gtest/gtest.h>

#include "Engine/Sprite.h"
#include "engine/TestImages.h"
#include "support/CaptureLog.h"

using test_images::SizedBitmap;

namespace {
RECT rcField = {0, 0, 640, 480};
}

TEST(SpriteMotion, EachBoundsActionAtItsEdges) {
    struct Move {
        const char* szWhat;
        BOUNDSACTION ba;
        int x, y, vx, vy, iSteps;
        SPRITEACTION saLast;
        int xEnd, yEnd, vxEnd, vyEnd;
        bool bHit;
    };
    const Move aMoves[] = {  // a 115 x 85 sprite in 640 x 480
        {"stop at the right edge", BA_STOP, 520, 100, 10, 0, 1, SA_NONE, 525, 100, 0, 0, true},
        {"stop landing on the edge", BA_STOP, 515, 100, 10, 0, 1, SA_NONE, 525, 100, 10, 0, false},
        {"stop at the top keeps this step's x", BA_STOP, 300, 5, 7, -10, 1, SA_NONE, 307, 0, 0, 0, true},
        {"unknown action stops", 7, 520, 100, 10, 0, 1, SA_NONE, 525, 100, 0, 0, true},
        {"wrap: on the left bound is not outside", BA_WRAP, -110, 10, -5, 0, 1, SA_NONE, -115, 10, -5, 0, false},
        {"wrap: wholly left", BA_WRAP, -110, 10, -5, 0, 2, SA_NONE, 640, 10, -5, 0, false},
        {"wrap: wholly right", BA_WRAP, 636, 10, 5, 0, 1, SA_NONE, -115, 10, 5, 0, false},
        {"wrap: wholly below", BA_WRAP, 10, 478, 0, 3, 1, SA_NONE, 10, -85, 0, 3, false},
        {"wrap: wholly above", BA_WRAP, 10, -84, 0, -2, 1, SA_NONE, 10, 480, 0, -2, false},
        {"bounce off the bottom", BA_BOUNCE, 200, 390, 4, 10, 1, SA_NONE, 204, 395, 4, -10, false},
        {"bounce off a corner", BA_BOUNCE, 2, 3, -5, -4, 1, SA_NONE, 0, 0, 5, 4, false},
        {"bounce off the right", BA_BOUNCE, 520, 3, 10, 0, 1, SA_NONE, 525, 3, -10, 0, false},
        {"die: partly visible", BA_DIE, -60, 0, -55, 0, 1, SA_NONE, -115, 0, -55, 0, false},
        {"die: wholly outside, unmoved", BA_DIE, -60, 0, -55, 0, 2, SA_KILL, -115, 0, -55, 0, false},
        {"die: below", BA_DIE, 0, 475, 0, 6, 1, SA_KILL, 0, 475, 0, 6, false},
    };
    SizedBitmap bmp(115, 85);
    for (const Move& m : aMoves) {
        SCOPED_TRACE(m.szWhat);
        Sprite sprite(&bmp, POINT{m.x, m.y}, POINT{m.vx, m.vy}, 0, rcField, m.ba);
        SPRITEACTION sa = SA_NONE;
        for (int i = 0; i < m.iSteps; ++i) sa = sprite.Update();
        EXPECT_EQ(m.saLast, sa);
        EXPECT_EQ(m.xEnd, sprite.GetPosition().left);
        EXPECT_EQ(m.yEnd, sprite.GetPosition().top);
        EXPECT_EQ(115, sprite.GetPosition().right - sprite.GetPosition().left);
        EXPECT_EQ(m.vxEnd, sprite.GetVelocity().x);
        EXPECT_EQ(m.vyEnd, sprite.GetVelocity().y);
        EXPECT_EQ(m.bHit, sprite.GetBoundHit());
    }

    // Moving again after a stop leaves the bound-hit flag set.
    Sprite stopped(&bmp, POINT{520, 0}, POINT{10, 0}, 0, rcField, BA_STOP);
    stopped.Update();
    stopped.SetVelocity(-10, 0);
    stopped.Update();
    EXPECT_EQ(515, stopped.GetPosition().left);
    EXPECT_TRUE(stopped.GetBoundHit());
}

TEST(SpriteFrames, StepEveryDelayUpdatesAndOneCyclesEitherFreezeOrEnd) {
    SizedBitmap strip(920, 85);
    auto frames = [&](int iDelay, BOOL bOneCycle, bool bFreeze, int n) {
        Sprite sprite(&strip, POINT{0, 0}, POINT{0, 0}, 0, rcField, BA_STOP);
        sprite.SetNumFrames(8, bOneCycle);
        sprite.SetFrameDelay(iDelay);
        sprite.SetFreezeFrame(bFreeze);
        std::vector<int> v;
        for (int i = 0; i < n; ++i) v.push_back((sprite.Update(), sprite.GetCurFrame()));
        return v;
    };
    EXPECT_EQ((std::vector<int>{1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 0, 0, 1}), frames(2, FALSE, false, 17));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 0, 1}), frames(0, FALSE, false, 9));
    EXPECT_EQ(frames(0, FALSE, false, 9), frames(1, FALSE, false, 9));
    EXPECT_EQ((std::vector<int>{1, 1, 1, 2}), frames(3, FALSE, false, 4));
    EXPECT_EQ((std::vector<int>{0, 0}), frames(-1, FALSE, false, 2));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 7, 7}), frames(0, TRUE, true, 9));

    Sprite once(&strip, POINT{0, 0}, POINT{3, 0}, 0, rcField, BA_STOP);
    once.SetNumFrames(8, TRUE);
    EXPECT_EQ(115, once.GetWidth());
    for (int i = 0; i < 8; ++i) EXPECT_EQ(SA_NONE, once.Update());
    EXPECT_TRUE(once.IsDying());
    EXPECT_EQ(8, once.GetCurFrame());
    EXPECT_EQ(SA_KILL, once.Update());  // neither moves nor animates any more
    EXPECT_EQ(24, once.GetPosition().left);
    EXPECT_EQ(8, once.GetCurFrame());
}

TEST(SpriteGeometry, CollisionRectanglesShrinkByATwelfthAndTouchingCollides) {
    SizedBitmap frame(115, 85);
    Sprite a(&frame, POINT{100, 200}, POINT{0, 0}, 0, rcField, BA_STOP);
    const RECT& rc = a.GetCollision();
    EXPECT_EQ((std::vector<LONG>{109, 207, 206, 278}), (std::vector<LONG>{rc.left, rc.top, rc.right, rc.bottom}));

    Sprite b(&frame, POINT{197, 200}, POINT{0, 0}, 0, rcField, BA_STOP);  // b's left edge on a's right
    EXPECT_TRUE(a.TestCollision(&b));
    EXPECT_TRUE(b.TestCollision(&a));
    b.SetPosition(198, 200);
    EXPECT_FALSE(a.TestCollision(&b));
    EXPECT_FALSE(b.TestCollision(&a));
    b.SetPosition(POINT{100, 271});  // b's top edge on a's bottom
    EXPECT_TRUE(b.TestCollision(&a));
    b.SetPosition(POINT{100, 272});
    EXPECT_FALSE(a.TestCollision(&b));
}

TEST(SpriteGeometry, TheBoundsConstructorWritesItsDiagnosticBlock) {
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
