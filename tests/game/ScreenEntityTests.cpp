// The Screen entity: its attract display and reset, credits, and the resets
// it sends.
#include "Screen/DemoScreen.h"
#include "ScreenRig.h"

ISOLATED_TEST(ScreenEntity, InitializeShowsTheBannerOverTheBackgroundAndAResetKeepsOnlyTheCredits) {
    CaptureLog log;
    ScreenRig rig;
    Screen* pScreen = rig.pScreen;
    const Lines vInitialize = Join({WindowSprite(640, 167), WindowSprite(640, 480), {"Screen::Initialize: 0 0 640 167", ""}});
    EXPECT_EQ(log.Lines(), Join({{"Entity created: Assigned ID# 0", "Instantiating Screen: ID# 0",
                                  "Entity created: Assigned ID# 1", "Entity created: Assigned ID# 2"},
                                 vInitialize}));
    Sprite* pBanner = pScreen->GetCurrentSprite();
    Sprite* pBackground = pScreen->GetSecondarySprite();
    EXPECT_EQ(rig.pEngine->GetSprites(), (std::vector<Sprite*>{pBackground, pBanner}));
    EXPECT_EQ(pBanner->GetBitmap(), rig.pTitle);
    EXPECT_EQ(rig.Current(), DemoScreen::Instance());

    pScreen->AddCredit();
    pScreen->SetSpeed(7);
    pScreen->SetGameOver(true);
    pScreen->SetCanceled(true);
    pScreen->SetLookingAtScores(true);
    log.Clear();
    pScreen->Initialize();
    // The banner comes from the reset itself, not from the attract state's entry.
    EXPECT_EQ(log.Lines(), vInitialize);
    EXPECT_TRUE(pBanner->IsDying());
    EXPECT_TRUE(pBackground->IsDying());
    EXPECT_EQ(rig.ZOrdersAfterUpdate(), kBannerOverBackground);
    EXPECT_EQ(pScreen->GetCredits(), 1);
    EXPECT_EQ(pScreen->GetSpeed(), 0);
    EXPECT_FALSE(pScreen->GameOver() || pScreen->Canceled() || pScreen->LookingAtScores());

    // With the banner already retired, a reset kills nothing twice and a bound test reads nothing.
    pScreen->KillCurrentSprite();
    EXPECT_EQ(rig.ZOrdersAfterUpdate(), (std::vector<int>{1}));
    EXPECT_FALSE(pScreen->HitBounds());
    EXPECT_EQ(pScreen->GetPosition().bottom, 167);
    pScreen->Initialize();
    EXPECT_EQ(rig.ZOrdersAfterUpdate(), kBannerOverBackground);
}

ISOLATED_TEST(ScreenEntity, CreditsAndResetsTravelAsTheScreensOwnTelegrams) {
    ScreenRig rig;
    CaptureLog log;
    rig.pScreen->AddCredit();
    EXPECT_EQ(log.Lines(), Join({{"Screen Class is writing a message: 'Msg_CreditInserted'"}, MailNow(),
                                 DeclinedBy("DemoScreen"), {"Screen Class just sent message.", ""}}));
    EXPECT_EQ(rig.pScreen->GetCredits(), 1);
    rig.pScreen->DecCredit();
    rig.pScreen->DecCredit();
    EXPECT_EQ(rig.pScreen->GetCredits(), -1);

    log.Clear();
    rig.pScreen->ResetAllEntities();
    EXPECT_EQ(log.Lines(), ResetAllFrom("DemoScreen"));
}
