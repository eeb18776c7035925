#include "Blender/Blender.h"

#include "Blender/BlenderGlobalState.h"
#include "Blender/Blending.h"
#include "Blender/Calm.h"
#include "Blender/FlipOver.h"
#include "BlenderRig.h"
#include "support/Isolation.h"

namespace {

const Lines vInitialize = {"[sprite]", "Blender::Initialize: 0 0 640 480", "Current Blender status: m_pBlending = 0", ""};

}  // namespace

ISOLATED_TEST(BlenderEntity, InitializeShowsTheCalmBlenderAndClearsTheGame) {
    BlenderRig rig(false);
    Blender* b = rig.pBlender;
    EXPECT_EQ(b->GetFSM()->GlobalState(), BlenderGlobalState::Instance());
    {
        CaptureLog log;
        b->Initialize();
        EXPECT_EQ(Story(log), vInitialize);
    }
    EXPECT_EQ(rig.Sprites(), std::vector<Sprite*>{b->GetCurrentSprite()});
    ExpectSprite(b->GetCurrentSprite(), b->GetBlenderCalmBitmap(), 1, 0, 10, 0, 0);
    EXPECT_EQ(rig.Current(), Calm::Instance());

    // A spinning blender with every flag raised is put back without any state's Enter or Exit.
    rig.StartBlending();
    Sprite* pSpinning = b->GetCurrentSprite();
    b->SetFishIsBlended(true);
    b->SetCanceled(true);
    b->SetPoorFish(true);
    b->SetSaved(true);
    {
        CaptureLog log;
        b->Initialize();
        EXPECT_EQ(Story(log), vInitialize);
    }
    EXPECT_TRUE(pSpinning->IsDying());
    EXPECT_FALSE(b->GetBlending() || b->FishIsBlended() || b->Canceled() || b->PoorFish() || b->Saved());
    EXPECT_EQ(rig.Current(), Calm::Instance());
    EXPECT_EQ(b->GetFSM()->PreviousState(), Calm::Instance());
    rig.pEngine->UpdateSprites();
    EXPECT_EQ(rig.Sprites(), std::vector<Sprite*>{b->GetCurrentSprite()});

    // The sprites belong to the engine, not to the Blender.
    Sprite* pCalm = b->GetCurrentSprite();
    delete b;
    EXPECT_FALSE(pCalm->IsDying());
}

ISOLATED_TEST(BlenderCalm, RefusesEveryTelegram) {
    BlenderRig rig;
    for (int iMsg : {10, int(Msg_SpeedUp), int(Msg_BloodyFishGoo), int(Msg_Gravity)}) {
        CaptureLog log;
        EXPECT_FALSE(rig.Tell(iMsg)) << iMsg;
        EXPECT_EQ(log.Lines(), Cat({Routed("Calm"), {"BlenderGlobalState received a telegram."}})) << iMsg;
    }
    EXPECT_EQ(rig.pBlender->GetCurrentSprite()->GetFrameDelay(), 0);
    EXPECT_FALSE(rig.pBlender->FishIsBlended());
}

ISOLATED_TEST(BlenderBlending, SpinsWhereTheCalmBlenderStoodFasterAtEachStepUntilReleased) {
    BlenderRig rig;
    Blender* b = rig.pBlender;
    Sprite* pCalm = b->GetCurrentSprite();
    pCalm->SetPosition(1, -1);
    b->SetBlending(true);
    {
        CaptureLog log;
        b->Update();
        EXPECT_EQ(Story(log), Cat({{"Calm::Execute - Current Blender status: m_pBlending = 1", "",
                                    "Blending::Enter: 1 -1 641 479", "[sprite]", "Blending::Enter: 1 -1 641 479",
                                    "WARNING!: Only low power mode available at this time.",
                                    "Current Blender status: m_pBlending = 1", ""},
                                   Sent("Blending", Mailed()), Sent("Blending", Mailed())}));
    }
    EXPECT_EQ(rig.mail, (Mail{{0, Msg_BlenderOn}, {1, Msg_BlenderOn}}));
    EXPECT_EQ(rig.Current(), Blending::Instance());
    EXPECT_TRUE(pCalm->IsDying());
    Sprite* pSpin = b->GetCurrentSprite();
    ExpectSprite(pSpin, b->GetBlenderShakingBitmap(), 8, 11, 10, 1, -1);

    {
        CaptureLog log;
        EXPECT_TRUE(rig.Tell(Msg_SpeedUp));
        EXPECT_EQ(log.Lines(), Cat({Routed("Blending"), {"Message 'Msg_SpeedUp' Accepted!", ""}}));
    }
    for (int i = 0; i < 8; ++i) rig.Tell(Msg_SpeedUp);
    EXPECT_EQ(pSpin->GetFrameDelay(), 2);
    for (int i = 0; i < 3; ++i) rig.Tell(Msg_SpeedUp);
    EXPECT_EQ(pSpin->GetFrameDelay(), -1);
    rig.Frame(3);
    EXPECT_EQ(rig.Sprites(), std::vector<Sprite*>{pSpin});
    EXPECT_EQ(rig.mail.size(), 2u);

    b->SetBlending(false);
    {
        CaptureLog log;
        b->Update();
        EXPECT_EQ(Story(log), Cat({{"Blending::Execute - Current Blender status: m_pBlending = 0", ""},
                                   Sent("Blending", Mailed()), Sent("Blending", Mailed()),
                                   {"Calm::Enter: 1 -1 641 479", "[sprite]", "Calm::Enter: 1 -1 641 479",
                                    "Current Blender status: m_pBlending = 0", ""}}));
    }
    EXPECT_EQ(rig.mail, (Mail{{0, Msg_BlenderOn}, {1, Msg_BlenderOn}, {0, Msg_BlenderOff}, {1, Msg_BlenderOff}}));
    EXPECT_EQ(rig.Current(), Calm::Instance());
    ExpectSprite(b->GetCurrentSprite(), b->GetBlenderCalmBitmap(), 1, 0, 10, 1, -1);
    rig.pEngine->UpdateSprites();
    EXPECT_EQ(rig.Sprites(), std::vector<Sprite*>{b->GetCurrentSprite()});
}

ISOLATED_TEST(BlenderBlending, FlipCancelsTheSpeedometerThenTurnsInsideTheSameUpdate) {
    BlenderRig rig;
    Blender* b = rig.pBlender;
    rig.StartBlending();
    rig.mail.clear();
    Sprite* pSpin = b->GetCurrentSprite();
    b->SetSaved(true);
    const long lNow = platform::headless::Now();
    {
        CaptureLog log;
        b->Update();
        Lines vFlipOverEnter = {"FlipOver::Enter: 0 0 640 480", "[sprite]", "FlipOver::Enter: 0 0 640 480",
                                "Current Blender status: m_pBlending = 1", ""};
        EXPECT_EQ(Story(log),
                  Cat({Sent("Blending", Mailed()),
                       Sent("Blending", Cat({Mailed(), Routed("Blending"), {"Message 'Msg_Flip' Accepted!", ""},
                                             vFlipOverEnter, Sent("FlipOver", Queued(300, lNow)),
                                             Sent("FlipOver", Mailed()), Sent("FlipOver", Mailed())}))}));
    }
    EXPECT_EQ(rig.mail, (Mail{{0, Msg_CancelBlending}, {0, Msg_HideTitle}, {0, Msg_GameOver}}));
    EXPECT_TRUE(b->Canceled());
    EXPECT_EQ(rig.Current(), FlipOver::Instance());
    EXPECT_TRUE(pSpin->IsDying());
}

ISOLATED_TEST(BlenderBlending, ButtonBeforeFlipSpinsFirstAndACancelIgnoresTheMaximum) {
    BlenderRig rig;
    Blender* b = rig.pBlender;
    b->SetBlending(true);
    b->SetSaved(true);
    rig.Frame();
    EXPECT_EQ(rig.Current(), Blending::Instance());

    b->SetCanceled(true);
    {
        CaptureLog log;
        EXPECT_TRUE(rig.Tell(Msg_BloodyFishGoo));
        EXPECT_EQ(log.Lines(), Cat({Routed("Blending"), {"Message 'Msg_BloodyFishGoo' Accepted!", ""}}));
    }
    EXPECT_FALSE(b->FishIsBlended());

    rig.Frame();
    EXPECT_EQ(rig.Current(), FlipOver::Instance());
    EXPECT_EQ(rig.mail, (Mail{{0, Msg_BlenderOn}, {1, Msg_BlenderOn}, {0, Msg_CancelBlending}, {0, Msg_HideTitle},
                              {0, Msg_GameOver}}));
    EXPECT_EQ(rig.Sprites(), std::vector<Sprite*>{b->GetCurrentSprite()});
}
