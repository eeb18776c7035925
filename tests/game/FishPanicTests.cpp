// The panicking fish: its two sprites, calming down, dying, sinking, and the
// angel that rises from the goo.
#include "FishTestBed.h"
#include "support/Isolation.h"

namespace hl = platform::headless;

ISOLATED_TEST(FishPanic, PanicStripLiesOverTheFasterFrontViewUntilTheButtonIsReleased) {
    FishBed bed;
    bed.PanicWhileBlending();

    Sprite* pPanic = bed.pFish->GetCurrentSprite();
    Sprite* pFront = bed.pFish->GetSecondarySprite();
    ASSERT_NE(pPanic, nullptr);
    ASSERT_NE(pFront, nullptr);
    EXPECT_EQ(pFront->GetBitmap(), bed.vBitmaps[2]);
    EXPECT_EQ(pFront->GetFrameDelay(), 3);
    EXPECT_EQ(pPanic->GetBitmap(), bed.vBitmaps[6]);
    EXPECT_EQ(pPanic->GetNumFrames(), 6);
    EXPECT_EQ(pPanic->GetWidth(), 115);
    EXPECT_EQ(pPanic->GetZOrder(), 21);
    EXPECT_EQ(bed.At(), "265 200 380 285");
    EXPECT_EQ(pFront->GetPosition().left, 265);
    // The front view is drawn first, underneath.
    EXPECT_EQ(bed.pEngine->GetSprites(), (std::vector<Sprite*>{pFront, pPanic}));

    CaptureLog log;
    EXPECT_TRUE(bed.Deliver(Msg_Talk, 0));
    EXPECT_EQ(log.Lines(), (Lines{"Fish::HandleMessage - Routing telegram to m_pStateMachine.",
                                  "StateMachine::HandleMessage - Routing telegram to m_pCurrentState::OnMessage.",
                                  "Panic received a telegram.", "Message 'Msg_Talk' Accepted!", ""}));
    log.Clear();
    EXPECT_FALSE(bed.Deliver(Msg_BlenderOn));
    EXPECT_FALSE(bed.Deliver(Msg_Panic, 0));
    EXPECT_EQ(log.Lines(), Join({Declined("Panic"), Declined("Panic")}));
    EXPECT_EQ(bed.Current(), Panic::Instance());

    // Released before dying: on the next update the fish starts again.
    EXPECT_TRUE(bed.Deliver(Msg_BlenderOff));
    EXPECT_FALSE(bed.pFish->Blending());
    log.Clear();
    bed.Frame();
    EXPECT_EQ(log.Lines(), Join({FishSprite(200, 0, 640, 480, 920), {"Fish::Initialize: 250 200 365 285", ""}}));
    EXPECT_EQ(bed.Current(), SwimLeft::Instance());
    EXPECT_EQ(bed.LiveSprites(), 1u);
}

ISOLATED_TEST(FishPanic, DyingFishGivesUpSinksAfterThreeSecondsAndReportsItselfDead) {
    FishBed bed;
    bed.PanicWhileBlending();
    Sprite* pFront = bed.pFish->GetSecondarySprite();

    CaptureLog log;
    bed.Tell(Msg_Die);
    DWORD dwDied = hl::Now();
    EXPECT_EQ(log.Lines(),
              Join({MailNow(), RoutedTo("Fish", "Panic"), {"Message 'Msg_Die' Accepted!", ""},
                    FishSprite(0, 0, 640, 365, 115), {"Panic is writing a message."}, MailLater(3000, dwDied),
                    {"Panic just sent message.", "", "Panic is writing a message."}, MailNow(),
                    {"Panic just sent message.", ""}}));
    EXPECT_EQ(bed.pScreen->m_vReceived, std::vector<int>{Msg_GameOver});
    EXPECT_TRUE(bed.pFish->GiveUp());
    EXPECT_EQ(bed.pFish->GetCurrentSprite()->GetBitmap(), bed.vBitmaps[7]);
    EXPECT_EQ(bed.pFish->GetSecondarySprite(), pFront);
    EXPECT_EQ(pFront->GetFrameDelay(), 2);

    // Neither the rescue nor the released button brings a fish back that gave up.
    log.Clear();
    EXPECT_TRUE(bed.Deliver(Msg_Saved));
    EXPECT_EQ(log.Lines(), Join({Declined("Panic"), {"Message 'Msg_Saved' Accepted!", ""}}));
    EXPECT_TRUE(bed.Deliver(Msg_BlenderOff));
    bed.Frame();
    EXPECT_EQ(bed.Current(), Panic::Instance());
    EXPECT_EQ(bed.LiveSprites(), 2u);

    int iFrames = 0, iSinking = 0;
    while (bed.pBlender->m_vReceived.empty() && iFrames < 300) {
        bed.Frame();
        ++iFrames;
        Sprite* pCurrent = bed.pFish->GetCurrentSprite();
        if (!iSinking && pCurrent && pCurrent->GetVelocity().y == 3) {
            iSinking = iFrames;
            EXPECT_GT(hl::Now(), dwDied + 3000);
            EXPECT_LE(hl::Now(), dwDied + 3000 + 34);
            EXPECT_EQ(pFront->GetVelocity().y, 3);
            EXPECT_EQ(pFront->GetFrameDelay(), 1);
        }
    }
    ASSERT_NE(iSinking, 0);
    // From y 200 to 280 at 3 a frame, then one more Execute to notice.
    EXPECT_EQ(iFrames - iSinking, 27);
    EXPECT_EQ(bed.pBlender->m_vReceived, std::vector<int>{Msg_FishDead});
    EXPECT_EQ(bed.LiveSprites(), 0u);
    EXPECT_EQ(bed.At(), "265 280 380 365");
    bed.Frames(30);
    EXPECT_EQ(bed.pBlender->m_vReceived.size(), 1u);
}

ISOLATED_TEST(FishPanic, RipRaisesAnAngelThatAnnouncesTheScoresOnceItHasLeftTheWindow) {
    FishBed bed;
    bed.PanicWhileBlending();
    bed.DieAndSink();
    bed.Frame();

    CaptureLog log;
    bed.Tell(Msg_Rip);
    // The angel's entry is written before the telegram's acceptance.
    EXPECT_EQ(log.Lines(), Join({MailNow(), RoutedTo("Fish", "Panic"), {"Angel::Enter: Stating at (270, 160)"},
                                 FishSprite(0, -85, 640, 480, 690),
                                 {"Angel::Enter: 270 160 385 245", "", "Message 'Msg_Rip' Accepted!", ""}}));
    EXPECT_EQ(bed.Current(), Angel::Instance());
    EXPECT_EQ(bed.LiveSprites(), 1u);

    int iFrames = 0;
    while (bed.pScreen->m_vReceived.size() < 2 && iFrames < 400) {
        bed.Frame();
        ++iFrames;
    }
    // 245 pixels up at one a frame, stopped in the 246th update.
    EXPECT_EQ(iFrames, 247);
    EXPECT_EQ(bed.pScreen->m_vReceived, (std::vector<int>{Msg_GameOver, Msg_ShowDeathScores}));
    EXPECT_TRUE(bed.pFish->Ascended());
    EXPECT_EQ(bed.LiveSprites(), 0u);
    bed.Frames(10);
    EXPECT_EQ(bed.pScreen->m_vReceived.size(), 2u);

    // Still given up: no rescue for the angel.
    log.Clear();
    EXPECT_TRUE(bed.Deliver(Msg_Saved));
    EXPECT_EQ(log.Lines(), Join({Declined("Angel"), {"Message 'Msg_Saved' Accepted!", ""}}));
    EXPECT_EQ(bed.Current(), Angel::Instance());

    // Nothing is left to describe: the entry writes where the angel was last seen.
    log.Clear();
    bed.Tell(Msg_FlopAway, 0);
    EXPECT_EQ(log.Lines(), Join({MailNow(), RoutedTo("Fish", "Angel"),
                                 {"FishGlobalState received a telegram.", "Message 'FlopAway' Accepted!", "",
                                  "FlopAway::Enter: 270 -85 385 0"},
                                 FishSprite(-115, 310, 756, 481, 115), {"FlopAway::Enter: 640 394 755 479", ""}}));

    // The next game's fish lives again: it panics, and calms down when the button is released.
    EXPECT_TRUE(bed.Deliver(Msg_Reset, 0));
    bed.ExpectFreshFish();
    bed.PanicWhileBlending();
    bed.Deliver(Msg_BlenderOff);
    bed.Frame();
    EXPECT_EQ(bed.Current(), SwimLeft::Instance());
}

ISOLATED_TEST(FishPanic, ResetInTheMiddleOfDyingStartsAFreshFishThatIgnoresTheLateTelegram) {
    FishBed bed;
    bed.PanicWhileBlending();
    Sprite* pSpeech = new Sprite(bed.vBitmaps[4]);
    bed.pEngine->AddSprite(pSpeech);
    bed.pFish->SetSpeechBubbleSprite(pSpeech);
    bed.Tell(Msg_Die);
    bed.pEngine->UpdateSprites();
    EXPECT_EQ(bed.LiveSprites(), 3u);

    CaptureLog log;
    EXPECT_TRUE(bed.Deliver(Msg_Reset, 0));
    // No exit, no entry: just the fresh start.
    EXPECT_EQ(log.Lines(), Join({Declined("Panic"), {"Message 'Msg_Reset' Accepted!", ""},
                                 FishSprite(200, 0, 640, 480, 920), {"Fish::Initialize: 250 200 365 285", ""}}));
    bed.ExpectFreshFish();
    bed.Frame();
    EXPECT_EQ(bed.LiveSprites(), 1u);

    // The sinking telegram sent before the reset finds a swimming fish.
    log.Clear();
    bed.Frames(100);
    EXPECT_EQ(CountLines(log.Lines(), "Message not handled"), 1);
    EXPECT_EQ(bed.pFish->GetCurrentSprite()->GetVelocity().y, 0);
}
