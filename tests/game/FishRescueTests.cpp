// The rescued fish: the drop to the floor, flailing, the request for the
// saved-fish board, and the hops away along the floor.
#include "FishTestBed.h"
#include "support/Isolation.h"

namespace hl = platform::headless;

ISOLATED_TEST(FishRescue, SavedPanickingFishDropsFromWhereItFacedThePlayerAndFlails) {
    FishBed bed;
    bed.PanicWhileBlending();

    CaptureLog log;
    bed.Tell(Msg_Saved);
    EXPECT_EQ(log.Lines(), Join({MailNow(), Declined("Panic"),
                                 {"Message 'Msg_Saved' Accepted!", "", "Saved::Enter: 265 200 380 285"},
                                 FishSprite(0, 0, 640, 460, 115), {"Saved::Enter: 265 200 380 285", ""}}));
    EXPECT_EQ(bed.Current(), Saved::Instance());
    EXPECT_EQ(bed.pFish->GetSecondarySprite(), nullptr);

    int iFrames = 0;
    while (bed.pFish->Falling() && iFrames < 100) {
        bed.Frame();
        // The panic strip and the front view beneath it are gone at once.
        if (++iFrames == 1) {
            EXPECT_EQ(bed.LiveSprites(), 1u);
        }
    }
    // 175 pixels at 7 a frame: stopped in the 26th update, noticed in the next Execute.
    EXPECT_EQ(iFrames, 27);
    DWORD dwLanded = hl::Now();
    Sprite* pFlailing = bed.pFish->GetCurrentSprite();
    ASSERT_NE(pFlailing, nullptr);
    EXPECT_EQ(pFlailing->GetBitmap(), bed.vBitmaps[3]);
    EXPECT_EQ(pFlailing->GetNumFrames(), 2);
    EXPECT_EQ(pFlailing->GetWidth(), 115);
    EXPECT_EQ(pFlailing->GetFrameDelay(), 4);
    EXPECT_EQ(pFlailing->GetZOrder(), 20);
    EXPECT_EQ(bed.At(), "265 375 380 460");
    EXPECT_EQ(bed.LiveSprites(), 1u);
    EXPECT_GE(ExpectPassagesInOrder(log.Lines(), {Join({FishSprite(0, 0, 640, 480, 230), {"Saved is writing a message."},
                                                        MailLater(5000, dwLanded),
                                                        {"Saved just sent message.", ""}})}),
              0);

    while (hl::Now() <= dwLanded + 5000) bed.Frame();
    EXPECT_EQ(bed.pScreen->m_vReceived, std::vector<int>{Msg_ShowSavedScores});

    // Saved again after landing: a new drop already on the floor lands at once.
    log.Clear();
    EXPECT_TRUE(bed.Deliver(Msg_Saved));
    EXPECT_EQ(bed.pFish->GetCurrentSprite()->GetBitmap(), bed.vBitmaps[4]);
    bed.Frames(2);
    EXPECT_FALSE(bed.pFish->Falling());
    EXPECT_EQ(CountLines(log.Lines(), "Saved::Enter: 265 375 380 460"), 2);
    EXPECT_EQ(CountLines(log.Lines(), "Saved is writing a message."), 1);
    EXPECT_EQ(bed.LiveSprites(), 1u);

    // The saved-fish board sends it away from where it flailed.
    log.Clear();
    bed.Tell(Msg_FlopAway, 0);
    EXPECT_EQ(log.Lines(), Join({MailNow(), Declined("Saved"),
                                 {"Message 'FlopAway' Accepted!", "", "FlopAway::Enter: 265 375 380 460"},
                                 FishSprite(-115, 310, 756, 481, 115), {"FlopAway::Enter: 640 394 755 479", ""}}));
    bed.Frame();
    EXPECT_EQ(bed.LiveSprites(), 1u);
}

ISOLATED_TEST(FishRescue, SavedWhileFacingTheSpinningBlenderLeavesNoFrontViewBehind) {
    FishBed bed;
    bed.Tell(Msg_BlenderOn);
    bed.FramesUntil(SwimTowardPlayer::Instance());
    bed.Tell(Msg_Saved);
    bed.Frame();
    EXPECT_EQ(bed.LiveSprites(), 1u);
    EXPECT_EQ(bed.pFish->GetCurrentSprite()->GetBitmap(), bed.vBitmaps[4]);
    EXPECT_EQ(bed.At(), "265 207 380 292");

    EXPECT_TRUE(bed.Deliver(Msg_Reset, 0));
    bed.ExpectFreshFish();
}

ISOLATED_TEST(FishRescue, FlopAwayHopsLeftAlongTheFloorAndOnBeyondTheWindowUntilReset) {
    FishBed bed;
    bed.Frames(5);
    CaptureLog log;
    bed.Tell(Msg_FlopAway, 0);
    EXPECT_EQ(log.Lines(), Join({MailNow(), Declined("SwimLeft"),
                                 {"Message 'FlopAway' Accepted!", "", "FlopAway::Enter: 240 200 355 285"},
                                 FishSprite(-115, 310, 756, 481, 115), {"FlopAway::Enter: 640 394 755 479", ""}}));
    EXPECT_EQ(bed.pFish->GetCurrentSprite()->GetZOrder(), 35);

    // Each new hop starts where the last one stopped; a landed fish rests until its jump telegram.
    Lines vHops;
    DWORD dwRest = 0;
    for (int i = 0; i < 600 && vHops.size() < 10; ++i) {
        Sprite* pBefore = bed.pFish->GetCurrentSprite();
        bool bWasHopping = bed.pFish->GetJustKeepSwimming();
        MsgWaitForMultipleObjects(0, NULL, FALSE, 34, QS_ALLINPUT);
        MessageDispatcher::Instance()->DispatchDelayedMessages();
        bed.pFish->Update();
        if (bed.pFish->GetCurrentSprite() != pBefore) {
            vHops.push_back(std::to_string(bed.pFish->GetPositionX()) + " " +
                            std::to_string(bed.pFish->GetPositionY()) + (bed.pFish->Falling() ? " down" : " up"));
            if (!bed.pFish->Falling()) {
                EXPECT_GT(hl::Now(), dwRest + 250);
                EXPECT_LE(hl::Now(), dwRest + 250 + 34);
            }
        }
        if (bWasHopping && !bed.pFish->GetJustKeepSwimming()) dwRest = hl::Now();
        bed.pEngine->UpdateSprites();
        EXPECT_EQ(bed.LiveSprites(), 1u);
    }
    EXPECT_EQ(vHops, (Lines{"520 310 down", "400 395 up", "280 310 down", "160 395 up", "40 310 down", "-80 395 up",
                            "-115 365 down", "-115 371 up", "-115 365 down", "-115 371 up"}));
    EXPECT_EQ(CountLines(log.Lines(), "Message 'Jump' Accepted!"), 5);

    // Reset while a jump is still on its way: the swimming fish declines it.
    for (int i = 0; i < 20 && bed.pFish->GetJustKeepSwimming(); ++i) bed.Frame();
    ASSERT_FALSE(bed.pFish->GetJustKeepSwimming());
    EXPECT_TRUE(bed.Deliver(Msg_Reset, 0));
    log.Clear();
    bed.Frames(10);
    EXPECT_EQ(bed.Current(), SwimLeft::Instance());
    EXPECT_GE(ExpectPassagesInOrder(log.Lines(), {Join({{"Mailing saved letter now."}, Declined("SwimLeft"),
                                                        {"Message not handled"}})}),
              0);
    EXPECT_EQ(bed.LiveSprites(), 1u);
}

ISOLATED_TEST(FishRescue, RescueOrFlopAwayWhileFloppingStartsFromTheLastPlaceSeen) {
    FishBed bed;
    bed.Tell(Msg_FlopAway, 0);
    bed.Frames(3);
    ASSERT_EQ(bed.At(), "616 376 731 461");

    // The exit of the flop-away empties the slot before the next entry describes it.
    CaptureLog log;
    bed.Tell(Msg_FlopAway, 0);
    EXPECT_EQ(log.Lines(), Join({MailNow(), Declined("FlopAway"),
                                 {"Message 'FlopAway' Accepted!", "", "FlopAway::Enter: 616 376 731 461"},
                                 FishSprite(-115, 310, 756, 481, 115), {"FlopAway::Enter: 640 394 755 479", ""}}));
    bed.Frames(3);
    log.Clear();
    bed.Tell(Msg_Saved);
    EXPECT_EQ(log.Lines(), Join({MailNow(), Declined("FlopAway"),
                                 {"Message 'Msg_Saved' Accepted!", "", "Saved::Enter: 616 376 731 461"},
                                 FishSprite(0, 0, 640, 460, 115), {"Saved::Enter: 616 376 731 461", ""}}));
    bed.Frame();
    EXPECT_EQ(bed.LiveSprites(), 1u);
    EXPECT_EQ(bed.pFish->GetCurrentSprite()->GetZOrder(), 20);
    // Beyond the blender's right edge the drop is pulled in at once.
    bed.Frame();
    EXPECT_FALSE(bed.pFish->Falling());
    EXPECT_EQ(bed.At(), "525 375 640 460");
}
