// The Screen entity: its attract display, its reset, credits and the telegrams
// it sends itself.
#include <gtest/gtest.h>

#include "Screen/DemoScreen.h"
#include "ScreenRig.h"
#include "support/CaptureLog.h"
#include "support/Isolation.h"

ISOLATED_TEST(ScreenEntity, InitializeShowsBannerOverBackgroundAndAResetKeepsOnlyTheCredits) {
    CaptureLog log;
    ScreenRig rig;
    Screen* pScreen = rig.pScreen;
    pScreen->Initialize();

    EXPECT_EQ(log.Lines(), Join({{"Entity created: Assigned ID# 0", "Instantiating Screen: ID# 0",
                                  "Entity created: Assigned ID# 1", "Entity created: Assigned ID# 2"},
                                 WindowSprite(640, 167),
                                 WindowSprite(640, 480),
                                 {"Screen::Initialize: 0 0 640 167", ""}}));
    Sprite* pBanner = pScreen->GetCurrentSprite();
    Sprite* pBackground = pScreen->GetSecondarySprite();
    ASSERT_NE(pBanner, nullptr);
    ASSERT_NE(pBackground, nullptr);
    EXPECT_EQ(rig.pEngine->GetSprites(), (std::vector<Sprite*>{pBackground, pBanner}));
    EXPECT_EQ(rig.ZOrders(), (std::vector<int>{1, 30}));
    EXPECT_EQ(pBanner->GetBitmap(), rig.pTitle);
    EXPECT_EQ(pBackground->GetBitmap(), rig.pBackground);
    EXPECT_EQ(pBackground->GetPosition().right, 640);
    EXPECT_EQ(pBackground->GetPosition().bottom, 480);
    EXPECT_EQ(rig.Current(), DemoScreen::Instance());

    // A game in progress, then the reset a new game makes.
    pScreen->AddCredit();
    pScreen->AddCredit();
    pScreen->SetSpeed(7);
    pScreen->SetGameOver(true);
    pScreen->SetCanceled(true);
    pScreen->SetLookingAtScores(true);
    log.Clear();
    pScreen->Initialize();

    EXPECT_TRUE(pBanner->IsDying());
    EXPECT_TRUE(pBackground->IsDying());
    rig.pEngine->UpdateSprites();
    EXPECT_EQ(rig.pEngine->GetSprites(),
              (std::vector<Sprite*>{pScreen->GetSecondarySprite(), pScreen->GetCurrentSprite()}));
    EXPECT_EQ(pScreen->GetCredits(), 2);
    EXPECT_EQ(pScreen->GetSpeed(), 0);
    EXPECT_FALSE(pScreen->GameOver());
    EXPECT_FALSE(pScreen->Canceled());
    EXPECT_FALSE(pScreen->LookingAtScores());
    // The banner comes from the reset itself, not from the attract state's entry.
    EXPECT_EQ(log.Lines(), Join({WindowSprite(640, 167), WindowSprite(640, 480), {"Screen::Initialize: 0 0 640 167", ""}}));
}

ISOLATED_TEST(ScreenEntity, CreditsAreCountedEvenWhenTheAttractScreenDeclinesThem) {
    ScreenRig rig;
    rig.pScreen->Initialize();
    CaptureLog log;
    rig.pScreen->AddCredit();

    EXPECT_EQ(log.Lines(), Join({{"Screen Class is writing a message: 'Msg_CreditInserted'"},
                                 MailNow(),
                                 DeclinedBy("DemoScreen"),
                                 {"Screen Class just sent message.", ""}}));
    EXPECT_EQ(rig.pScreen->GetCredits(), 1);
    rig.pScreen->DecCredit();
    rig.pScreen->DecCredit();
    EXPECT_EQ(rig.pScreen->GetCredits(), -1);
}

ISOLATED_TEST(ScreenEntity, ResetAllEntitiesResetsBlenderThenFishThenItself) {
    ScreenRig rig;
    rig.pScreen->Initialize();
    CaptureLog log;
    rig.pScreen->ResetAllEntities();

    EXPECT_EQ(log.Lines(), ResetAllFrom("DemoScreen"));
}

ISOLATED_TEST(ScreenEntity, PositionAndBoundHitOfAnEmptyOrDeletedTopSpriteAreSafe) {
    ScreenRig rig;
    Screen* pScreen = rig.pScreen;
    EXPECT_FALSE(pScreen->HitBounds());
    EXPECT_EQ(pScreen->GetPositionX(), 0);
    EXPECT_EQ(pScreen->GetPosition().right, 0);

    pScreen->Initialize();
    pScreen->KillCurrentSprite();
    rig.pEngine->UpdateSprites();
    EXPECT_EQ(rig.pEngine->GetSprites().size(), 1u);
    EXPECT_EQ(pScreen->GetCurrentSprite(), nullptr);
    EXPECT_FALSE(pScreen->HitBounds());
    EXPECT_EQ(pScreen->GetPosition().bottom, 167);
    // A reset after the banner is gone leaves nothing dangling.
    pScreen->Initialize();
    rig.pEngine->UpdateSprites();
    EXPECT_EQ(rig.ZOrders(), (std::vector<int>{1, 30}));
}
