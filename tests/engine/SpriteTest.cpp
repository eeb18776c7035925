// Sprites: motion at each bounds action, frame stepping and collision
// rectangles; and the engine's sprite list.
#include <gtest/gtest.h>

#include <set>

#include "engine/GameHooks.h"

namespace {

RECT rcField = {0, 0, 640, 480};

// A bitmap of a given size that holds no image: enough for motion.
struct SizedBitmap : Bitmap {
    SizedBitmap(int iWidth, int iHeight) { m_iWidth = iWidth, m_iHeight = iHeight; }
};

SizedBitmap s_bmp44(44, 44);
std::set<const Sprite*> s_setLive;

// A 44 x 44 sprite that knows whether it is still alive.
struct CountedSprite : Sprite {
    CountedSprite(POINT pt, POINT ptVelocity, int iZOrder)
        : Sprite(&s_bmp44, pt, ptVelocity, iZOrder, rcField, BA_WRAP) {
        s_setLive.insert(this);
    }
    ~CountedSprite() override { s_setLive.erase(this); }
};

}  // namespace

TEST(Sprite, MovesByEachBoundsActionAtItsEdges) {
    const struct {
        const char* szWhat;
        BOUNDSACTION ba;
        int x, y, vx, vy, iSteps;  // from, at this speed, for this many updates
        SPRITEACTION saLast;
        int xEnd, yEnd, vxEnd, vyEnd;
        bool bHit;
    } aMoves[] = {  // a 115 x 85 sprite in 640 x 480
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
        {"bounce off the top", BA_BOUNCE, 200, 3, 0, -4, 1, SA_NONE, 200, 0, 0, 4, false},
        {"die: partly visible", BA_DIE, -60, 0, -55, 0, 1, SA_NONE, -115, 0, -55, 0, false},
        {"die: wholly outside, unmoved", BA_DIE, -60, 0, -55, 0, 2, SA_KILL, -115, 0, -55, 0, false},
        {"die: on the bottom edge is not outside", BA_DIE, 0, 474, 0, 6, 1, SA_NONE, 0, 480, 0, 6, false},
        {"die: below", BA_DIE, 0, 475, 0, 6, 1, SA_KILL, 0, 475, 0, 6, false},
    };
    SizedBitmap bmp(115, 85);
    for (const auto& m : aMoves) {
        SCOPED_TRACE(m.szWhat);
        Sprite sprite(&bmp, POINT{m.x, m.y}, POINT{m.vx, m.vy}, 0, rcField, m.ba);
        SPRITEACTION sa = SA_NONE;
        for (int i = 0; i < m.iSteps; ++i) sa = sprite.Update();
        EXPECT_EQ(m.saLast, sa);
        const RECT& rc = sprite.GetPosition();
        const POINT pt = sprite.GetVelocity();
        // Position, velocity and bound hit.
        EXPECT_EQ((std::vector<LONG>{m.xEnd, m.yEnd, m.xEnd + 115, m.yEnd + 85, m.vxEnd, m.vyEnd, m.bHit}),
                  (std::vector<LONG>{rc.left, rc.top, rc.right, rc.bottom, pt.x, pt.y, sprite.GetBoundHit()}));
    }
    SizedBitmap bmpTopDown(115, -85);  // a top-down image, whose header height is negative
    EXPECT_EQ(Sprite(&bmpTopDown, POINT{0, 0}, POINT{0, 0}, 0, rcField).GetHeight(), 85);
}

TEST(Sprite, StepsAFrameEveryDelayUpdatesAndAOneCycleEitherFreezesOrEnds) {
    const struct {
        int iDelay;
        BOOL bOneCycle;
        bool bFreeze;
        std::vector<int> vFrames;  // the frame after each update
    } aFrames[] = {
        {2, FALSE, false, {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 0, 0, 1}},
        {0, FALSE, false, {1, 2, 3, 4, 5, 6, 7, 0, 1}},
        {1, FALSE, false, {1, 2, 3, 4, 5, 6, 7, 0, 1}},
        {3, FALSE, false, {1, 1, 1, 2}},
        {-1, FALSE, false, {0, 0}},
        {0, TRUE, true, {1, 2, 3, 4, 5, 6, 7, 7, 7}},
        {0, TRUE, false, {1, 2, 3, 4, 5, 6, 7, 8, 8}},
    };
    SizedBitmap strip(920, 85);
    for (const auto& f : aFrames) {
        SCOPED_TRACE(testing::Message() << "delay " << f.iDelay << (f.bOneCycle ? ", once" : "")
                                        << (f.bFreeze ? ", frozen" : ""));
        Sprite sprite(&strip, POINT{0, 0}, POINT{3, 0}, 0, rcField, BA_STOP);
        sprite.SetNumFrames(8, f.bOneCycle);
        sprite.SetFrameDelay(f.iDelay);
        sprite.SetFreezeFrame(f.bFreeze);
        std::vector<int> vFrames;
        SPRITEACTION sa = SA_NONE;
        for (size_t i = 0; i < f.vFrames.size(); ++i) vFrames.push_back((sa = sprite.Update(), sprite.GetCurFrame()));
        EXPECT_EQ(f.vFrames, vFrames);
        // An ended animation asks for removal at the next update, which neither moves nor animates.
        const bool bEnds = f.bOneCycle && !f.bFreeze;
        EXPECT_EQ(bEnds ? SA_KILL : SA_NONE, sa);
        EXPECT_EQ(bEnds ? 24 : 3 * static_cast<int>(f.vFrames.size()), sprite.GetPosition().left);
    }
}

TEST(SpriteList, InsertsByZOrderWithNewerSpritesOfEqualOrderOnTopAndAPointFindsTheTopmostShown) {
    GameEngine engine(NULL, "SpriteList", "Sprite List", 0, 0);
    std::vector<Sprite*> vSprites;
    for (int iZOrder : {5, 1, 5, 3})
        engine.AddSprite(vSprites.emplace_back(new CountedSprite({0, 0}, {0, 0}, iZOrder)));
    engine.AddSprite(NULL);
    EXPECT_EQ((std::vector<Sprite*>{vSprites[1], vSprites[3], vSprites[0], vSprites[2]}), engine.GetSprites());
    // A point finds the topmost sprite shown there; a sprite's right and bottom edges are outside it.
    EXPECT_EQ(engine.IsPointInSprite(43, 43), vSprites[2]);
    vSprites[2]->SetHidden(TRUE);
    EXPECT_EQ(engine.IsPointInSprite(43, 43), vSprites[0]);
    EXPECT_EQ(engine.IsPointInSprite(44, 0), nullptr);
    engine.CleanupSprites();
    EXPECT_TRUE(s_setLive.empty());
}

TEST(SpriteList, KilledSpritesAreReportedDeletedAndRemovedWithoutSkippingAny) {
    for (const std::vector<int>& vKill : {std::vector<int>{1, 2, 4}, {0}, {0, 1, 2, 3, 4}, {}}) {
        GameEngine engine(NULL, "SpriteList", "Sprite List", 0, 0);
        Hooks() = HookRecord();
        std::vector<Sprite*> vAll, vDying, vLeft;
        for (int i = 0; i < 5; ++i)
            engine.AddSprite(vAll.emplace_back(new CountedSprite({100 * i, 0}, {1, 0}, i)));
        for (int i : vKill) vAll[i]->Kill();
        for (Sprite* p : vAll) (p->IsDying() ? vDying : vLeft).push_back(p);
        engine.UpdateSprites();
        EXPECT_EQ(vDying, Hooks().vDying);
        EXPECT_EQ(vLeft, engine.GetSprites());
        EXPECT_EQ(std::set<const Sprite*>(vLeft.begin(), vLeft.end()), s_setLive);
        for (Sprite* p : vLeft) EXPECT_EQ(1, p->GetPosition().left % 100) << "updated in the same pass";
        engine.CleanupSprites();
        EXPECT_TRUE(s_setLive.empty());
        EXPECT_EQ(vDying.size(), Hooks().vDying.size()) << "clean-up reports nothing";
    }
}

TEST(SpriteList, ASpriteWhoseCollisionRectangleMeetsAnotherGoesBackWhenTheHookSaysSo) {
    const struct {
        int x, y;
        bool bMeets;
    } aPlaces[] = {  // where the mover's move ends; the still sprite's collision rectangle is (103, 103, 141, 141)
        {62, 100, true},  {61, 100, false}, {138, 100, true}, {139, 100, false}, {100, 62, true},
        {100, 61, false}, {100, 138, true}, {100, 139, false}, {62, 138, true},  {61, 138, false},
    };
    for (const auto& place : aPlaces) {
        SCOPED_TRACE(testing::Message() << place.x << "," << place.y);
        GameEngine engine(NULL, "SpriteList", "Sprite List", 0, 0);
        Hooks() = HookRecord();
        Hooks().bCollisionResult = TRUE;
        Sprite* pStill = new CountedSprite({100, 100}, {0, 0}, 0);
        Sprite* pMover = new CountedSprite({10, 300}, {place.x - 10, place.y - 300}, 1);
        engine.AddSprite(pStill);
        engine.AddSprite(pMover);
        engine.UpdateSprites();
        // The still sprite, first in the list, was tested against the mover's old place.
        typedef std::vector<std::pair<Sprite*, Sprite*>> Pairs;
        EXPECT_EQ((place.bMeets ? Pairs{{pStill, pMover}} : Pairs{}), Hooks().vCollisions);
        const std::vector<LONG> vAt = place.bMeets ? std::vector<LONG>{10, 300} : std::vector<LONG>{place.x, place.y};
        EXPECT_EQ(vAt, (std::vector<LONG>{pMover->GetPosition().left, pMover->GetPosition().top}));
        EXPECT_EQ(vAt[0] + 3, pMover->GetCollision().left);  // a 44-pixel frame loses 44 / 12 on each side
        engine.CleanupSprites();
    }
}
