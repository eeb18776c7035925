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
    EXPECT_TRUE(rig.pBlender->FishIsBlended());
    EXPECT_EQ(rig.Current(), Blending::Instance());
    rig.mail.clear();
}

// Flipped from calm and left until the water has fallen.
void PourOut(BlenderRig& rig) {
    rig.pBlender->SetSaved(true);
    rig.Frame();
    rig.Wait(301);
    rig.Frame();
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
        EXPECT_EQ(Story(log), Cat({{"Bloody graphics ahead!", ""},
                                   Sent("BloodyFishGoo", Mailed()),
                                   {"BloodyFishGoo::Enter: 0 0 640 480", "Current Blender status: m_pBlending = 1", ""}}));
    }
    EXPECT_EQ(rig.mail, (Mail{{1, Msg_Die}}));
    EXPECT_EQ(rig.Current(), BloodyFishGoo::Instance());
    EXPECT_EQ(rig.pEngine->GetSprites(), std::vector<Sprite*>{pSpin});
    EXPECT_EQ(b->GetCurrentSprite(), pSpin);
    EXPECT_EQ(pSpin->GetFrameDelay(), 2);

    pSpin->SetPosition(1, -1);
    {
        CaptureLog log;
        EXPECT_TRUE(rig.Tell(Msg_FishDead));
        EXPECT_EQ(Story(log), Cat({Routed("BloodyFishGoo"), {"[sprite]"}}));
    }
    EXPECT_TRUE(b->PoorFish());
    Sprite* pBloody = b->GetCurrentSprite();
    ASSERT_NE(pBloody, pSpin);
    EXPECT_TRUE(pSpin->IsDying());
    EXPECT_EQ(pBloody->GetBitmap(), b->GetBlenderShakingBloodyBitmap());
    EXPECT_EQ(pBloody->GetNumFrames(), 8);
    EXPECT_EQ(pBloody->GetFrameDelay(), 2);
    EXPECT_EQ(pBloody->GetZOrder(), 10);
    ExpectPlace(pBloody, 1, -1, 641, 479);

    rig.Frames(4);  // the button is still held
    EXPECT_EQ(rig.mail.size(), 1u);
    EXPECT_EQ(rig.pEngine->GetSprites(), std::vector<Sprite*>{pBloody});

    b->SetBlending(false);
    {
        CaptureLog log;
        b->Update();
        EXPECT_EQ(Story(log), Cat({{"BloodyFishGoo::Execute - Current Blender status: m_pBlending = 0", ""},
                                   Sent("BloodyFishGoo", Mailed()),
                                   {"[sprite]"}}));
    }
    EXPECT_EQ(rig.mail, (Mail{{1, Msg_Die}, {1, Msg_Rip}}));
    EXPECT_FALSE(b->PoorFish());
    Sprite* pGoo = b->GetCurrentSprite();
    EXPECT_EQ(pGoo->GetBitmap(), b->GetBlenderBloodyFishGooBitmap());
    EXPECT_EQ(pGoo->GetNumFrames(), 1);
    EXPECT_EQ(pGoo->GetFrameDelay(), 0);
    ExpectPlace(pGoo, 1, -1, 641, 479);
    rig.pEngine->UpdateSprites();
    EXPECT_EQ(rig.pEngine->GetSprites(), std::vector<Sprite*>{pGoo});

    // Nothing further, whatever the button does.
    b->SetBlending(true);
    rig.Frames(2);
    b->SetBlending(false);
    rig.Frames(2);
    EXPECT_EQ(rig.mail.size(), 2u);
    EXPECT_EQ(rig.pEngine->GetSprites(), std::vector<Sprite*>{pGoo});
}

ISOLATED_TEST(BlenderGoo, ReleaseBeforeTheFishDiesWaitsForTheBlood) {
    BlenderRig rig;
    Blender* b = rig.pBlender;
    BlendTheFish(rig);
    rig.Frame();
    Sprite* pSpin = b->GetCurrentSprite();
    b->SetBlending(false);
    rig.Frames(3);
    EXPECT_EQ(rig.mail, (Mail{{1, Msg_Die}}));
    EXPECT_EQ(rig.pEngine->GetSprites(), std::vector<Sprite*>{pSpin});

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
    EXPECT_EQ(rig.pEngine->GetSprites(), std::vector<Sprite*>{b->GetCurrentSprite()});
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
                                   Sent("FlipOver", Queued(300, lNow)),
                                   Sent("FlipOver", Mailed()),
                                   Sent("FlipOver", Mailed())}));
    }
    EXPECT_EQ(rig.mail, (Mail{{0, Msg_HideTitle}, {0, Msg_GameOver}}));
    const auto& queue = MessageDispatcher::Instance()->GetDelayedTelegrams();
    ASSERT_EQ(queue.size(), 1u);
    EXPECT_EQ(queue.begin()->Sender, 2);
    EXPECT_EQ(queue.begin()->Receiver, 2);
    EXPECT_EQ(queue.begin()->Msg, Msg_Gravity);
    EXPECT_EQ(queue.begin()->DispatchTime, lNow + 300);

    EXPECT_TRUE(pCalm->IsDying());
    Sprite* pTurn = b->GetCurrentSprite();
    EXPECT_EQ(pTurn->GetBitmap(), b->GetBlenderTurningBitmap());
    EXPECT_EQ(pTurn->GetNumFrames(), 5);
    EXPECT_EQ(pTurn->GetFrameDelay(), 2);
    EXPECT_TRUE(pTurn->FreezeFrame());
    ExpectPlace(pTurn, 0, 0, 640, 480);

    // The turn loops while gravity is awaited; the state does nothing meanwhile.
    rig.pEngine->UpdateSprites();
    bool bSawLastFrame = false;
    for (int i = 0; i < 12; ++i) {
        rig.Frame();
        bSawLastFrame = bSawLastFrame || pTurn->GetCurFrame() == 4;
    }
    EXPECT_TRUE(bSawLastFrame);
    EXPECT_LT(pTurn->GetCurFrame(), 4);
    EXPECT_EQ(rig.pEngine->GetSprites(), std::vector<Sprite*>{pTurn});
    EXPECT_TRUE(b->Saved());
    EXPECT_EQ(rig.Current(), FlipOver::Instance());

    rig.Wait(301);
    {
        CaptureLog log;
        rig.Frame();
        EXPECT_EQ(Story(log), Cat({{"Mailing saved letter now."},
                                   Routed("FlipOver"),
                                   {"Message 'Msg_Gravity' Accepted!", "", "[sprite]", "[sprite]"},
                                   Sent("FlipOver", Mailed())}));
    }
    EXPECT_EQ(rig.mail.back(), std::make_pair(1, int(Msg_Saved)));
    Sprite* pUp = b->GetCurrentSprite();
    Sprite* pWater = b->GetSecondarySprite();
    ASSERT_NE(pWater, nullptr);
    EXPECT_EQ(pUp->GetBitmap(), b->GetBlenderUpSideDownBitmap());
    EXPECT_EQ(pUp->GetZOrder(), 21);
    ExpectPlace(pUp, 0, 0, 640, 480);
    EXPECT_EQ(pWater->GetBitmap(), b->GetBlenderWaterAndLidBitmap());
    EXPECT_EQ(pWater->GetZOrder(), 10);
    EXPECT_EQ(rig.pEngine->GetSprites(), (std::vector<Sprite*>{pWater, pUp}));

    // Ten pixels a frame, stopped at the bottom of its bounds.
    ExpectPlace(pWater, 0, 10, 640, 490);
    rig.Frames(47);
    ExpectPlace(pWater, 0, 480, 640, 960);
    EXPECT_EQ(pWater->GetVelocity().y, 10);
    rig.Frames(3);
    ExpectPlace(pWater, 0, 482, 640, 962);
    EXPECT_EQ(pWater->GetVelocity().y, 0);
    EXPECT_TRUE(pWater->GetBoundHit());
    EXPECT_EQ(rig.pEngine->GetSprites(), (std::vector<Sprite*>{pWater, pUp}));
}

ISOLATED_TEST(BlenderFlip, ResetDuringTheTurnRefusesTheLateGravity) {
    BlenderRig rig;
    Blender* b = rig.pBlender;
    b->SetSaved(true);
    rig.Frame();
    Sprite* pTurn = b->GetCurrentSprite();
    {
        CaptureLog log;
        EXPECT_TRUE(rig.Tell(Msg_Reset));
        EXPECT_EQ(Story(log), Cat({Routed("FlipOver"),
                                   {"BlenderGlobalState received a telegram.", "Message 'Msg_Reset' Accepted!", "",
                                    "[sprite]", "Blender::Initialize: 0 0 640 480",
                                    "Current Blender status: m_pBlending = 0", ""}}));
    }
    EXPECT_TRUE(pTurn->IsDying());
    EXPECT_EQ(rig.Current(), Calm::Instance());
    EXPECT_FALSE(b->Saved());

    rig.Wait(301);
    {
        CaptureLog log;
        rig.Frame();
        EXPECT_EQ(Story(log), Cat({{"Mailing saved letter now."},
                                   Routed("Calm"),
                                   {"BlenderGlobalState received a telegram.", "Message not handled"}}));
    }
    EXPECT_EQ(rig.mail, (Mail{{0, Msg_HideTitle}, {0, Msg_GameOver}}));
    EXPECT_EQ(rig.Current(), Calm::Instance());
    EXPECT_EQ(rig.pEngine->GetSprites(), std::vector<Sprite*>{b->GetCurrentSprite()});
    EXPECT_EQ(b->GetCurrentSprite()->GetBitmap(), b->GetBlenderCalmBitmap());
}

ISOLATED_TEST(BlenderFlip, ResetAfterTheFallKillsBlenderAndWater) {
    BlenderRig rig;
    Blender* b = rig.pBlender;
    PourOut(rig);
    Sprite* pUp = b->GetCurrentSprite();
    Sprite* pWater = b->GetSecondarySprite();
    ASSERT_NE(pWater, nullptr);

    EXPECT_TRUE(rig.Tell(Msg_Reset));
    EXPECT_TRUE(pUp->IsDying());
    EXPECT_TRUE(pWater->IsDying());
    EXPECT_EQ(b->GetSecondarySprite(), nullptr);
    rig.pEngine->UpdateSprites();
    EXPECT_EQ(rig.pEngine->GetSprites(), std::vector<Sprite*>{b->GetCurrentSprite()});
    ExpectPlace(b->GetCurrentSprite(), 0, 0, 640, 480);
}

ISOLATED_TEST(BlenderFlip, FlipInTheUpdateThatBlendsTheFishLeavesNoSpinningBlender) {
    BlenderRig rig;
    Blender* b = rig.pBlender;
    BlendTheFish(rig);
    Sprite* pSpin = b->GetCurrentSprite();
    b->SetSaved(true);
    rig.Frame();
    EXPECT_EQ(rig.Current(), FlipOver::Instance());
    EXPECT_EQ(rig.mail, (Mail{{0, Msg_CancelBlending}, {0, Msg_HideTitle}, {0, Msg_GameOver}}));
    EXPECT_NE(b->GetCurrentSprite(), pSpin);
    EXPECT_EQ(rig.pEngine->GetSprites(), std::vector<Sprite*>{b->GetCurrentSprite()});
}

ISOLATED_TEST(BlenderFlip, RepeatedGravityKeepsOneFallingWater) {
    BlenderRig rig;
    Blender* b = rig.pBlender;
    PourOut(rig);
    EXPECT_TRUE(rig.Tell(Msg_Gravity));
    rig.pEngine->UpdateSprites();
    EXPECT_EQ(rig.pEngine->GetSprites(), (std::vector<Sprite*>{b->GetSecondarySprite(), b->GetCurrentSprite()}));
}
