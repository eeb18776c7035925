#include "Blender/Blender.h"

#include "Blender/Blending.h"
#include "Blender/BloodyFishGoo.h"
#include "Blender/Calm.h"
#include "Blender/FlipOver.h"
#include "BlenderRig.h"
#include "support/Isolation.h"

namespace {

// Spinning at the maximum with the fish blended, one update before the goo state.
void BlendTheFish(BlenderRig& rig) {
    rig.StartBlending();
    for (int i = 0; i < 9; ++i) rig.Tell(Msg_SpeedUp);
    EXPECT_TRUE(rig.Tell(Msg_BloodyFishGoo));
    EXPECT_EQ(rig.Current(), Blending::Instance());
    rig.mail.clear();
}

}  // namespace

ISOLATED_TEST(BlenderGoo, BlendedFishTurnsTheWaterBloodyThenToGoo) {
    BlenderRig rig;
    Blender* b = rig.pBlender;
    BlendTheFish(rig);
    Sprite* pSpin = b->GetCurrentSprite();
    {
        CaptureLog log;
        rig.Frame();
        EXPECT_EQ(Story(log), Cat({{"Bloody graphics ahead!", ""}, Sent("BloodyFishGoo", Mailed()),
                                   {"BloodyFishGoo::Enter: 0 0 640 480", "Current Blender status: m_pBlending = 1", ""}}));
    }
    EXPECT_EQ(rig.mail, (Mail{{1, Msg_Die}}));
    EXPECT_EQ(rig.Current(), BloodyFishGoo::Instance());
    EXPECT_EQ(rig.Sprites(), std::vector<Sprite*>{pSpin});
    EXPECT_EQ(b->GetCurrentSprite(), pSpin);

    pSpin->SetPosition(1, -1);
    {
        CaptureLog log;
        EXPECT_TRUE(rig.Tell(Msg_FishDead));
        EXPECT_EQ(Story(log), Cat({Routed("BloodyFishGoo"), {"[sprite]"}}));
    }
    EXPECT_TRUE(b->PoorFish());
    Sprite* pBloody = b->GetCurrentSprite();
    EXPECT_TRUE(pSpin->IsDying());
    ExpectSprite(pBloody, b->GetBlenderShakingBloodyBitmap(), 8, 2, 10, 1, -1);
    rig.Frame(4);  // the button is still held
    EXPECT_EQ(rig.mail.size(), 1u);
    EXPECT_EQ(rig.Sprites(), std::vector<Sprite*>{pBloody});

    b->SetBlending(false);
    {
        CaptureLog log;
        b->Update();
        EXPECT_EQ(Story(log), Cat({{"BloodyFishGoo::Execute - Current Blender status: m_pBlending = 0", ""},
                                   Sent("BloodyFishGoo", Mailed()), {"[sprite]"}}));
    }
    EXPECT_EQ(rig.mail, (Mail{{1, Msg_Die}, {1, Msg_Rip}}));
    EXPECT_FALSE(b->PoorFish());
    Sprite* pGoo = b->GetCurrentSprite();
    ExpectSprite(pGoo, b->GetBlenderBloodyFishGooBitmap(), 1, 0, 10, 1, -1);

    // Nothing further, whatever the button does.
    b->SetBlending(true);
    rig.Frame(2);
    b->SetBlending(false);
    rig.Frame(2);
    EXPECT_EQ(rig.mail.size(), 2u);
    EXPECT_EQ(rig.Sprites(), std::vector<Sprite*>{pGoo});
}

ISOLATED_TEST(BlenderGoo, ReleaseBeforeTheFishDiesWaitsForTheBlood) {
    BlenderRig rig;
    Blender* b = rig.pBlender;
    BlendTheFish(rig);
    rig.Frame();
    Sprite* pSpin = b->GetCurrentSprite();
    b->SetBlending(false);
    rig.Frame(3);
    EXPECT_EQ(rig.mail, (Mail{{1, Msg_Die}}));
    EXPECT_EQ(rig.Sprites(), std::vector<Sprite*>{pSpin});
    for (int iMsg : {Msg_SpeedUp, Msg_BloodyFishGoo, Msg_Gravity}) {
        CaptureLog log;
        EXPECT_FALSE(rig.Tell(iMsg)) << iMsg;
        EXPECT_EQ(log.Lines(), Cat({Routed("BloodyFishGoo"), {"BlenderGlobalState received a telegram."}}));
    }
    EXPECT_EQ(pSpin->GetFrameDelay(), 2);

    EXPECT_TRUE(rig.Tell(Msg_FishDead));
    EXPECT_EQ(b->GetCurrentSprite()->GetBitmap(), b->GetBlenderShakingBloodyBitmap());
    rig.Frame();
    EXPECT_EQ(rig.mail, (Mail{{1, Msg_Die}, {1, Msg_Rip}}));
    EXPECT_EQ(rig.Sprites(), std::vector<Sprite*>{b->GetCurrentSprite()});
    EXPECT_EQ(b->GetCurrentSprite()->GetBitmap(), b->GetBlenderBloodyFishGooBitmap());
}

ISOLATED_TEST(BlenderFlip, FlipFromCalmTurnsThenPoursOutTheWater) {
    BlenderRig rig;
    Blender* b = rig.pBlender;
    Sprite* pCalm = b->GetCurrentSprite();
    b->SetSaved(true);
    const long lNow = platform::headless::Now();
    {
        CaptureLog log;
        b->Update();
        EXPECT_EQ(Story(log), Cat({{"FlipOver::Enter: 0 0 640 480", "[sprite]", "FlipOver::Enter: 0 0 640 480",
                                    "Current Blender status: m_pBlending = 0", ""},
                                   Sent("FlipOver", Queued(300, lNow)), Sent("FlipOver", Mailed()),
                                   Sent("FlipOver", Mailed())}));
    }
    EXPECT_EQ(rig.mail, (Mail{{0, Msg_HideTitle}, {0, Msg_GameOver}}));
    const auto& queue = MessageDispatcher::Instance()->GetDelayedTelegrams();
    ASSERT_EQ(queue.size(), 1u);
    EXPECT_EQ(std::vector<int>({queue.begin()->Sender, queue.begin()->Receiver, queue.begin()->Msg}),
              std::vector<int>({2, 2, Msg_Gravity}));
    EXPECT_TRUE(pCalm->IsDying());
    Sprite* pTurn = b->GetCurrentSprite();
    ExpectSprite(pTurn, b->GetBlenderTurningBitmap(), 5, 2, 10, 0, 0);
    EXPECT_TRUE(pTurn->FreezeFrame());

    // The turn loops while gravity is awaited; the state does nothing meanwhile.
    bool bSawLastFrame = false;
    for (int i = 0; i < 12; ++i) {
        rig.Frame();
        bSawLastFrame = bSawLastFrame || pTurn->GetCurFrame() == 4;
    }
    EXPECT_TRUE(bSawLastFrame);
    EXPECT_LT(pTurn->GetCurFrame(), 4);
    EXPECT_EQ(rig.Sprites(), std::vector<Sprite*>{pTurn});
    EXPECT_TRUE(b->Saved());

    rig.Wait(301);
    {
        CaptureLog log;
        rig.Frame();
        EXPECT_EQ(Story(log), Cat({{"Mailing saved letter now."}, Routed("FlipOver"),
                                   {"Message 'Msg_Gravity' Accepted!", "", "[sprite]", "[sprite]"},
                                   Sent("FlipOver", Mailed())}));
    }
    EXPECT_EQ(rig.mail.back(), std::make_pair(1, int(Msg_Saved)));
    Sprite* pWater = b->GetSecondarySprite();
    ExpectSprite(b->GetCurrentSprite(), b->GetBlenderUpSideDownBitmap(), 1, 0, 21, 0, 0);
    ExpectSprite(pWater, b->GetBlenderWaterAndLidBitmap(), 1, 0, 10, 0, 10);
    EXPECT_EQ(rig.Sprites(), (std::vector<Sprite*>{pWater, b->GetCurrentSprite()}));

    // Ten pixels a frame, stopped at the bottom of its bounds.
    rig.Frame(47);
    EXPECT_EQ(pWater->GetPosition().top, 480);
    rig.Frame(3);
    EXPECT_EQ(pWater->GetPosition().top, 482);
    EXPECT_EQ(pWater->GetVelocity().y, 0);
    EXPECT_TRUE(pWater->GetBoundHit());
}

ISOLATED_TEST(BlenderFlip, ResetsDuringTheTurnAndAfterTheFallLeaveOnlyTheCalmBlender) {
    BlenderRig rig;
    Blender* b = rig.pBlender;
    b->SetSaved(true);
    rig.Frame();
    Sprite* pTurn = b->GetCurrentSprite();
    {
        CaptureLog log;
        EXPECT_TRUE(rig.Tell(Msg_Reset));
        EXPECT_EQ(Story(log), Cat({Routed("FlipOver"),
                                   {"BlenderGlobalState received a telegram.", "Message 'Msg_Reset' Accepted!", ""},
                                   {"[sprite]", "Blender::Initialize: 0 0 640 480",
                                    "Current Blender status: m_pBlending = 0", ""}}));
    }
    EXPECT_TRUE(pTurn->IsDying());
    EXPECT_EQ(rig.Current(), Calm::Instance());

    // The gravity still queued arrives late and is refused.
    rig.Wait(301);
    {
        CaptureLog log;
        rig.Frame();
        EXPECT_EQ(Story(log), Cat({{"Mailing saved letter now."}, Routed("Calm"),
                                   {"BlenderGlobalState received a telegram.", "Message not handled"}}));
    }
    EXPECT_EQ(rig.mail, (Mail{{0, Msg_HideTitle}, {0, Msg_GameOver}}));
    EXPECT_EQ(rig.Sprites(), std::vector<Sprite*>{b->GetCurrentSprite()});
    EXPECT_EQ(b->GetCurrentSprite()->GetBitmap(), b->GetBlenderCalmBitmap());

    b->SetSaved(true);
    rig.Frame();
    rig.Wait(301);
    rig.Frame();
    Sprite* pUpSideDown = b->GetCurrentSprite();
    Sprite* pWater = b->GetSecondarySprite();
    ASSERT_NE(pWater, nullptr);
    EXPECT_TRUE(rig.Tell(Msg_Reset));
    EXPECT_TRUE(pUpSideDown->IsDying());
    EXPECT_TRUE(pWater->IsDying());
    EXPECT_EQ(b->GetSecondarySprite(), nullptr);
    rig.pEngine->UpdateSprites();
    EXPECT_EQ(rig.Sprites(), std::vector<Sprite*>{b->GetCurrentSprite()});
    ExpectSprite(b->GetCurrentSprite(), b->GetBlenderCalmBitmap(), 1, 0, 10, 0, 0);
}

ISOLATED_TEST(BlenderFlip, NoSpriteIsLeftBehindByAFlipAtTheMaximumOrARepeatedFall) {
    BlenderRig rig;
    Blender* b = rig.pBlender;
    // The flip is acted on in the same update in which the maximum blended the fish.
    BlendTheFish(rig);
    b->SetSaved(true);
    rig.Frame();
    EXPECT_EQ(rig.Current(), FlipOver::Instance());
    EXPECT_EQ(rig.mail, (Mail{{0, Msg_CancelBlending}, {0, Msg_HideTitle}, {0, Msg_GameOver}}));
    EXPECT_EQ(rig.Sprites(), std::vector<Sprite*>{b->GetCurrentSprite()});

    rig.Wait(301);
    rig.Frame();
    EXPECT_TRUE(rig.Tell(Msg_Gravity));
    rig.pEngine->UpdateSprites();
    EXPECT_EQ(rig.Sprites(), (std::vector<Sprite*>{b->GetSecondarySprite(), b->GetCurrentSprite()}));
}
