// The engine's sprite list: z-ordered insertion, updates with removal, the
// collision hook, point tests, drawing order and clean-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "Engine/GameEngine.h"
#include "engine/FakeGame.h"
#include "engine/TestImages.h"

using test_images::Canvas;
using test_images::SizedBitmap;

namespace {

RECT rcField = {0, 0, 640, 480};

// A sprite that knows whether it is still alive.
class CountedSprite : public Sprite {
public:
    static std::set<const Sprite*>& Live() {
        static std::set<const Sprite*> live;
        return live;
    }
    CountedSprite(Bitmap* pBitmap, int x, int y, int iZOrder, BOUNDSACTION ba = BA_WRAP)
        : Sprite(pBitmap, POINT{x, y}, POINT{0, 0}, iZOrder, rcField, ba) {
        Live().insert(this);
    }
    ~CountedSprite() override { Live().erase(this); }
};

class SpriteListTest : public ::testing::Test {
protected:
    SpriteListTest() : m_engine(NULL, "SpriteList", "Sprite List", 0, 0), m_bmp(40, 40) {
        fake_game::Reset();
        CountedSprite::Live().clear();
    }
    ~SpriteListTest() override { m_engine.CleanupSprites(); }

    CountedSprite* Add(int iZOrder, int x = 0, int y = 0) {
        CountedSprite* p = new CountedSprite(&m_bmp, x, y, iZOrder);
        m_engine.AddSprite(p);
        return p;
    }
    std::vector<int> ZOrders() const {
        std::vector<int> v;
        for (Sprite* p : m_engine.GetSprites()) v.push_back(p->GetZOrder());
        return v;
    }

    GameEngine m_engine;
    SizedBitmap m_bmp;
};

}  // namespace

TEST_F(SpriteListTest, InsertsByZOrderWithNewerSpritesOfEqualOrderOnTop) {
    Sprite* pFirstFive = Add(5);
    Sprite* pOne = Add(1);
    Sprite* pSecondFive = Add(5);
    Sprite* pThree = Add(3);
    m_engine.AddSprite(NULL);
    EXPECT_EQ((std::vector<int>{1, 3, 5, 5}), ZOrders());
    EXPECT_EQ((std::vector<Sprite*>{pOne, pThree, pFirstFive, pSecondFive}), m_engine.GetSprites());

    Add(0);
    Add(9);
    Add(4);
    EXPECT_EQ((std::vector<int>{0, 1, 3, 4, 5, 5, 9}), ZOrders());
}

TEST_F(SpriteListTest, KilledSpritesAreReportedDeletedAndRemovedWithoutSkippingTheNext) {
    CountedSprite* a = Add(0);
    CountedSprite* b = Add(1);
    CountedSprite* c = Add(2);
    CountedSprite* d = Add(3);
    CountedSprite* e = Add(4);
    for (CountedSprite* p : {a, b, c, d, e}) p->SetVelocity(1, 0);
    b->Kill();
    c->Kill();  // two in a row
    e->Kill();  // the last one

    m_engine.UpdateSprites();

    EXPECT_EQ((std::vector<Sprite*>{b, c, e}), fake_game::Get().vDying);
    EXPECT_EQ((std::set<const Sprite*>{a, d}), CountedSprite::Live());
    EXPECT_EQ((std::vector<Sprite*>{a, d}), m_engine.GetSprites());
    // The sprites behind the removed ones were still updated in the same call.
    EXPECT_EQ(1, a->GetPosition().left);
    EXPECT_EQ(1, d->GetPosition().left);
}

TEST_F(SpriteListTest, AOneCycleSpriteLeavesTheListOneUpdateAfterItsLastFrame) {
    SizedBitmap strip(80, 40);
    CountedSprite* p = new CountedSprite(&strip, 0, 0, 0);
    p->SetNumFrames(2, TRUE);
    m_engine.AddSprite(p);
    m_engine.UpdateSprites();
    m_engine.UpdateSprites();  // steps past the last frame: now dying
    EXPECT_EQ(1u, m_engine.GetSprites().size());
    m_engine.UpdateSprites();
    EXPECT_TRUE(m_engine.GetSprites().empty());
    EXPECT_TRUE(CountedSprite::Live().empty());
}

TEST_F(SpriteListTest, ACollisionAnsweredTrueSendsTheMoverBack) {
    CountedSprite* pStill = Add(0, 100, 0);
    CountedSprite* pMover = Add(1, 50, 0);
    pMover->SetVelocity(20, 0);
    fake_game::Get().bCollisionResult = TRUE;

    m_engine.UpdateSprites();

    // The still sprite is tested first, against the mover's old place, which it does not touch.
    ASSERT_EQ(1u, fake_game::Get().vCollisions.size());
    EXPECT_EQ(pStill, fake_game::Get().vCollisions[0].first);
    EXPECT_EQ(pMover, fake_game::Get().vCollisions[0].second);
    EXPECT_EQ(50, pMover->GetPosition().left);
    EXPECT_EQ(53, pMover->GetCollision().left);
}

TEST_F(SpriteListTest, ACollisionAnsweredFalseLetsSpritesPassThrough) {
    Add(0, 100, 0);
    CountedSprite* pMover = Add(1, 50, 0);
    pMover->SetVelocity(20, 0);

    m_engine.UpdateSprites();
    EXPECT_EQ(1u, fake_game::Get().vCollisions.size());
    EXPECT_EQ(70, pMover->GetPosition().left);
}

TEST_F(SpriteListTest, OnlyTheFirstCollidingPartnerIsReported) {
    CountedSprite* pFirst = Add(0, 0, 0);
    CountedSprite* pSecond = Add(1, 10, 0);
    CountedSprite* pThird = Add(2, 20, 0);

    m_engine.UpdateSprites();
    typedef std::pair<Sprite*, Sprite*> Hit;
    EXPECT_EQ((std::vector<Hit>{Hit(pSecond, pFirst), Hit(pFirst, pSecond), Hit(pFirst, pThird)}),
              fake_game::Get().vCollisions);
}

TEST_F(SpriteListTest, DyingAndHiddenSpritesAreStillCollisionPartners) {
    CountedSprite* pHidden = Add(0, 0, 0);
    pHidden->SetHidden(TRUE);
    CountedSprite* pTested = Add(1, 10, 0);
    CountedSprite* pTestedBeforeDying = Add(2, 300, 0);
    CountedSprite* pDying = Add(3, 310, 0);
    pDying->Kill();

    m_engine.UpdateSprites();
    const std::vector<std::pair<Sprite*, Sprite*>>& vHits = fake_game::Get().vCollisions;
    EXPECT_NE(vHits.end(), std::find(vHits.begin(), vHits.end(), std::make_pair<Sprite*, Sprite*>(pHidden, pTested)));
    EXPECT_NE(vHits.end(), std::find(vHits.begin(), vHits.end(),
                                     std::make_pair<Sprite*, Sprite*>(pDying, pTestedBeforeDying)));
    EXPECT_EQ(3u, m_engine.GetSprites().size());
}

TEST_F(SpriteListTest, PointTestFindsTheTopmostVisibleSprite) {
    CountedSprite* pBack = Add(0, 0, 0);
    CountedSprite* pFront = Add(5, 20, 20);
    EXPECT_EQ(pFront, m_engine.IsPointInSprite(30, 30));
    EXPECT_EQ(pBack, m_engine.IsPointInSprite(10, 10));
    EXPECT_EQ(nullptr, m_engine.IsPointInSprite(60, 60));
    EXPECT_EQ(nullptr, m_engine.IsPointInSprite(40, 10));  // right edge is outside
    pFront->SetHidden(TRUE);
    EXPECT_EQ(pBack, m_engine.IsPointInSprite(30, 30));
}

TEST_F(SpriteListTest, CleanupDeletesEverySpriteWithoutReportingIt) {
    m_engine.CleanupSprites();
    EXPECT_TRUE(m_engine.GetSprites().empty());
    Add(1);
    Add(2);
    Add(0);
    m_engine.CleanupSprites();
    EXPECT_TRUE(m_engine.GetSprites().empty());
    EXPECT_TRUE(CountedSprite::Live().empty());
    EXPECT_TRUE(fake_game::Get().vDying.empty());
}

TEST_F(SpriteListTest, SpritesAreDrawnBackToFront) {
    Canvas canvas(60, 60, RGB(0, 0, 0));
    Bitmap red(canvas.DC(), 20, 20, RGB(255, 0, 0));
    Bitmap blue(canvas.DC(), 20, 20, RGB(0, 0, 255));
    m_engine.AddSprite(new Sprite(&blue, POINT{10, 10}, POINT{0, 0}, 7, rcField, BA_STOP));
    m_engine.AddSprite(new Sprite(&red, POINT{0, 0}, POINT{0, 0}, 2, rcField, BA_STOP));
    Sprite* pHidden = new Sprite(&red, POINT{30, 30}, POINT{0, 0}, 9, rcField, BA_STOP);
    pHidden->SetHidden(TRUE);
    m_engine.AddSprite(pHidden);

    m_engine.DrawSprites(canvas.DC());
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(5, 5));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(15, 15));  // the higher z-order lies on top
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(29, 29));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(35, 35));     // hidden: not drawn
    m_engine.CleanupSprites();
}
