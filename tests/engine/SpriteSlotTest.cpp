// The entities' hold on a sprite they handed to the engine.
#include <gtest/gtest.h>

#include "Engine/GameEngine.h"
#include "Engine/SpriteSlot.h"
#include "engine/FakeGame.h"
#include "engine/TestImages.h"

using test_images::SizedBitmap;

namespace {

RECT rcField = {0, 0, 640, 480};

bool SameRect(const RECT& a, LONG l, LONG t, LONG r, LONG b) {
    return a.left == l && a.top == t && a.right == r && a.bottom == b;
}

}  // namespace

TEST(SpriteSlot, AnEmptySlotNamesNothingAndStandsAtZero) {
    SpriteSlot slot;
    EXPECT_TRUE(slot.IsEmpty());
    EXPECT_FALSE(slot.IsKilled());
    EXPECT_EQ(nullptr, slot.Get());
    EXPECT_TRUE(SameRect(slot.Position(), 0, 0, 0, 0));
    slot.Kill();
    EXPECT_FALSE(slot.IsKilled());
    slot.Reset();
    EXPECT_TRUE(slot.IsEmpty());
}

TEST(SpriteSlot, AKilledSpriteIsNeverReadAgainEvenAfterTheEngineDeletedIt) {
    fake_game::Reset();
    GameEngine engine(NULL, "Slot", "Slot", 0, 0);
    SizedBitmap bmp(20, 10);
    Sprite* pSprite = new Sprite(&bmp, POINT{5, 6}, POINT{1, 0}, 0, rcField, BA_WRAP);
    engine.AddSprite(pSprite);

    SpriteSlot slot;
    slot.Set(pSprite);
    EXPECT_EQ(pSprite, slot.Get());
    engine.UpdateSprites();
    // A live sprite's position is its own, moving with it.
    EXPECT_EQ(&pSprite->GetPosition(), &slot.Position());
    EXPECT_TRUE(SameRect(slot.Position(), 6, 6, 26, 16));

    slot.Kill();
    EXPECT_TRUE(pSprite->IsDying());
    EXPECT_TRUE(slot.IsKilled());
    EXPECT_EQ(nullptr, slot.Get());
    EXPECT_EQ(pSprite, slot.Raw());

    engine.UpdateSprites();  // deletes the sprite
    ASSERT_TRUE(engine.GetSprites().empty());
    EXPECT_TRUE(SameRect(slot.Position(), 6, 6, 26, 16));
    slot.Kill();  // a second kill touches nothing
    EXPECT_TRUE(SameRect(slot.Position(), 6, 6, 26, 16));

    slot.Reset();
    EXPECT_TRUE(slot.IsEmpty());
    EXPECT_FALSE(slot.IsKilled());
    EXPECT_TRUE(SameRect(slot.Position(), 6, 6, 26, 16));
}

TEST(SpriteSlot, ReplacingASpriteLeavesTheOldOneAliveAndRemembersWhereItStood) {
    SizedBitmap bmp(20, 10);
    Sprite first(&bmp, POINT{1, 2}, POINT{0, 0}, 0, rcField, BA_STOP);
    Sprite second(&bmp, POINT{30, 40}, POINT{0, 0}, 0, rcField, BA_STOP);
    SpriteSlot slot;
    slot.Set(&first);
    slot.Set(&second);
    EXPECT_FALSE(first.IsDying());
    EXPECT_EQ(&second, slot.Get());

    slot.Set(nullptr);
    EXPECT_TRUE(slot.IsEmpty());
    EXPECT_TRUE(SameRect(slot.Position(), 30, 40, 50, 50));
    EXPECT_FALSE(second.IsDying());

    slot.Set(&first);
    slot.Reset();
    EXPECT_TRUE(first.IsDying());
    EXPECT_TRUE(SameRect(slot.Position(), 1, 2, 21, 12));
}
