// The engine's sprite list: z-ordered insertion, updates with removal, the
// collision hook and drawing order.
#include <gtest/gtest.h>

#include <set>

#include "engine/FakeGame.h"
#include "engine/TestImages.h"

namespace {

RECT rcField = {0, 0, 640, 480};
std::set<const Sprite*> setLive;

// A 40 x 40 sprite that knows whether it is still alive.
struct CountedSprite : Sprite {
    CountedSprite(int x, int iZOrder) : Sprite(&Bmp(), POINT{x, 0}, POINT{0, 0}, iZOrder, rcField, BA_WRAP) {
        setLive.insert(this);
    }
    ~CountedSprite() override { setLive.erase(this); }
    static Bitmap& Bmp() {
        static test_images::SizedBitmap bmp(40, 40);
        return bmp;
    }
};

struct SpriteListTest : ::testing::Test {
    SpriteListTest() { fake_game::Reset(); }
    ~SpriteListTest() override { engine.CleanupSprites(); }
    Sprite* Add(int iZOrder, int x = 0) {
        Sprite* p = new CountedSprite(x, iZOrder);
        engine.AddSprite(p);
        return p;
    }
    GameEngine engine{NULL, "SpriteList", "Sprite List", 0, 0};
};

}  // namespace

TEST_F(SpriteListTest, InsertsByZOrderWithNewerSpritesOfEqualOrderOnTop) {
    Sprite* pFirstFive = Add(5);
    Sprite* pOne = Add(1);
    Sprite* pSecondFive = Add(5);
    Sprite* pThree = Add(3);
    engine.AddSprite(NULL);
    EXPECT_EQ((std::vector<Sprite*>{pOne, pThree, pFirstFive, pSecondFive}), engine.GetSprites());
}

TEST_F(SpriteListTest, KilledSpritesAreReportedDeletedAndRemovedWithoutSkippingAny) {
    std::vector<Sprite*> v;
    for (int i = 0; i < 5; ++i) v.push_back(Add(i, 100 * i));
    for (Sprite* p : v) p->SetVelocity(1, 0);
    for (int i : {1, 2, 4}) v[i]->Kill();  // two in a row, and the last
    engine.UpdateSprites();
    EXPECT_EQ((std::vector<Sprite*>{v[1], v[2], v[4]}), fake_game::Get().vDying);
    EXPECT_EQ((std::set<const Sprite*>{v[0], v[3]}), setLive);
    EXPECT_EQ((std::vector<Sprite*>{v[0], v[3]}), engine.GetSprites());
    EXPECT_EQ(301, v[3]->GetPosition().left);  // still updated in the same call
    engine.CleanupSprites();
    EXPECT_TRUE(setLive.empty());
    EXPECT_EQ(3u, fake_game::Get().vDying.size());  // clean-up reports nothing
}

TEST_F(SpriteListTest, TheCollisionHookDecidesWhetherTheMoverGoesBack) {
    for (BOOL bBlock : {TRUE, FALSE}) {
        engine.CleanupSprites();
        fake_game::Reset();
        fake_game::Get().bCollisionResult = bBlock;
        Sprite* pStill = Add(0, 100);
        Sprite* pMover = Add(1, 50);  // after its move, its collision rectangle touches the still one's
        pMover->SetVelocity(20, 0);
        engine.UpdateSprites();
        // The still sprite was tested first, against the mover's old place.
        EXPECT_EQ((std::vector<std::pair<Sprite*, Sprite*>>{{pStill, pMover}}), fake_game::Get().vCollisions);
        EXPECT_EQ(bBlock ? 50 : 70, pMover->GetPosition().left);
        EXPECT_EQ(bBlock ? 53 : 73, pMover->GetCollision().left);
    }
}

TEST_F(SpriteListTest, SpritesAreDrawnBackToFrontAndHiddenOnesNotAtAll) {
    test_images::Canvas canvas(60, 60, RGB(0, 0, 0));
    Bitmap red(canvas.DC(), 20, 20, RGB(255, 0, 0)), blue(canvas.DC(), 20, 20, RGB(0, 0, 255));
    Sprite* pBlue = new Sprite(&blue, POINT{10, 10}, POINT{0, 0}, 7, rcField, BA_STOP);
    Sprite* pHidden = new Sprite(&red, POINT{30, 30}, POINT{0, 0}, 9, rcField, BA_STOP);
    pHidden->SetHidden(TRUE);
    for (Sprite* p : {pBlue, new Sprite(&red, POINT{0, 0}, POINT{0, 0}, 2, rcField, BA_STOP), pHidden})
        engine.AddSprite(p);
    engine.DrawSprites(canvas.DC());
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(5, 5));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(15, 15));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(35, 35));
    EXPECT_EQ(pBlue, engine.IsPointInSprite(15, 15));
    EXPECT_EQ(nullptr, engine.IsPointInSprite(35, 35));
}
