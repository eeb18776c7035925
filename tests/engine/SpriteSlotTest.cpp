// The entities' hold on a sprite they handed to the engine.
#include <gtest/gtest.h>

#include "Engine/SpriteSlot.h"
#include "engine/FakeGame.h"
#include "engine/TestImages.h"

TEST(SpriteSlot, NeverReadsAKilledSpriteEvenAfterTheEngineDeletedIt) {
    fake_game::Reset();
    GameEngine engine(NULL, "Slot", "Slot", 0, 0);
    test_images::SizedBitmap bmp(20, 10);
    RECT rcField = {0, 0, 640, 480};
    auto corners = [](const RECT& rc) { return std::vector<LONG>{rc.left, rc.top, rc.right, rc.bottom}; };

    SpriteSlot slot;
    EXPECT_EQ((std::vector<LONG>{0, 0, 0, 0}), corners(slot.Position()));
    Sprite* pOld = new Sprite(&bmp, POINT{30, 40}, POINT{0, 0}, 0, rcField, BA_WRAP);
    Sprite* pSprite = new Sprite(&bmp, POINT{5, 6}, POINT{1, 0}, 0, rcField, BA_WRAP);
    engine.AddSprite(pOld);
    engine.AddSprite(pSprite);
    slot.Set(pOld);
    slot.Set(pSprite);  // the sprite replaced lives on
    EXPECT_FALSE(pOld->IsDying());
    engine.UpdateSprites();
    EXPECT_EQ(&pSprite->GetPosition(), &slot.Position());

    slot.Kill();
    EXPECT_TRUE(pSprite->IsDying());
    EXPECT_TRUE(slot.IsKilled());
    EXPECT_EQ(nullptr, slot.Get());
    EXPECT_EQ(pSprite, slot.Raw());
    engine.UpdateSprites();  // deletes it
    ASSERT_EQ((std::vector<Sprite*>{pOld}), engine.GetSprites());
    slot.Kill();
    slot.Reset();
    EXPECT_TRUE(slot.IsEmpty());
    EXPECT_EQ((std::vector<LONG>{6, 6, 26, 16}), corners(slot.Position()));

    slot.Set(pOld);
    slot.Reset();
    EXPECT_TRUE(pOld->IsDying());
    EXPECT_EQ((std::vector<LONG>{30, 40, 50, 50}), corners(slot.Position()));
    engine.CleanupSprites();
}
