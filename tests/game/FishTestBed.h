// The fish alone in an engine without a window, with stand-ins for the Screen
// (0) and the Blender (2), driven one frame at a time.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/EntityManager.h"
#include "Engine/Framework.h"
#include "Engine/GameEngine.h"
#include "Engine/MessageDispatcher.h"
#include "Fish/Angel.h"
#include "Fish/Fish.h"
#include "Fish/FlopAway.h"
#include "Fish/Panic.h"
#include "Fish/Saved.h"
#include "Fish/SwimLeft.h"
#include "Fish/SwimRight.h"
#include "Fish/SwimTowardPlayer.h"
#include "Platform/Headless.h"
#include "support/CaptureLog.h"
#include "support/GameRun.h"
#include "support/RecordingEntity.h"

struct FishBed {
    std::vector<Bitmap*> vBitmaps;
    GameEngine* pEngine;
    RecordingEntity* pScreen;
    Fish* pFish;
    RecordingEntity* pBlender;

    FishBed() {
        platform::SelectHeadlessBackend();
        HDC hDC = CreateCompatibleDC(NULL);
        for (UINT uiID = 2000; uiID <= 2008; ++uiID) vBitmaps.push_back(new Bitmap(hDC, uiID, GetModuleHandle(NULL)));
        pEngine = new GameEngine(GetModuleHandle(NULL), "Whirlquarium", "Whirlquarium", 1000, 1001, 640, 480);
        pScreen = new RecordingEntity(0);
        pFish = new Fish(1, pEngine, vBitmaps[0], vBitmaps[1], vBitmaps[2], vBitmaps[3], vBitmaps[4], vBitmaps[5],
                         vBitmaps[6], vBitmaps[7], vBitmaps[8]);
        pBlender = new RecordingEntity(2);
        EntityManager::Instance()->RegisterEntity(pScreen);
        EntityManager::Instance()->RegisterEntity(pFish);
        EntityManager::Instance()->RegisterEntity(pBlender);
        pFish->Initialize();
    }

    // The fish's share of one game cycle, 34 ms after the one before.
    void Frame() {
        MsgWaitForMultipleObjects(0, NULL, FALSE, 34, QS_ALLINPUT);
        MessageDispatcher::Instance()->DispatchDelayedMessages();
        pFish->Update();
        pEngine->UpdateSprites();
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Frame();
    }
    // Runs frames until the fish is in pState; the number of frames run, or -1
    // (with a failure) when it is not there after iMax frames.
    int FramesUntil(State<Fish>* pState, int iMax = 2000) {
        for (int i = 1; i <= iMax; ++i) {
            Frame();
            if (Current() == pState) return i;
        }
        ADD_FAILURE() << "state not reached in " << iMax << " frames";
        return -1;
    }

    // An immediate telegram from another entity, through the dispatcher.
    void Tell(int iMsg, int iSender = 2) { MessageDispatcher::Instance()->DispatchMessage(0, iSender, 1, iMsg, nullptr); }
    // The same telegram handed straight to the fish, for its result.
    bool Deliver(int iMsg, int iSender = 2) { return pFish->HandleMessage(Telegram(0, iSender, 1, iMsg)); }

    State<Fish>* Current() const { return pFish->GetFSM()->CurrentState(); }
    size_t LiveSprites() const { return pEngine->GetSprites().size(); }
    std::string At() { return Rect(pFish->GetPositionX(), pFish->GetPositionY(), pFish->GetPosition().right,
                                   pFish->GetPosition().bottom); }

    // Back at the start of a game: swimming left from (250, 200), every flag as new.
    void ExpectFreshFish() {
        EXPECT_EQ(Current(), SwimLeft::Instance());
        EXPECT_EQ(At(), "250 200 365 285");
        ASSERT_NE(pFish->GetCurrentSprite(), nullptr);
        EXPECT_EQ(pFish->GetCurrentSprite()->GetVelocity().x, -2);
        EXPECT_EQ(pFish->GetSecondarySprite(), nullptr);
        EXPECT_EQ(pFish->GetSpeechBubbleSprite(), nullptr);
        EXPECT_FALSE(pFish->GetSwimmingToCenter() || pFish->GetJustKeepSwimming() || pFish->Blending() ||
                     pFish->Panic() || pFish->GiveUp() || pFish->Ascended() || pFish->Falling());
        EXPECT_TRUE(pFish->StillAlive());
    }

    // Swims, with the blender on, until the fish panics facing the player at (265, 200).
    void PanicWhileBlending() {
        Tell(Msg_BlenderOn);
        Tell(Msg_Panic);
        FramesUntil(Panic::Instance());
    }
    // From panicking to lying dead at the bottom.
    void DieAndSink() {
        Tell(Msg_Die);
        for (int i = 0; i < 200 && pFish->StillAlive(); ++i) Frame();
        EXPECT_FALSE(pFish->StillAlive());
    }
};

// A telegram offered to the state, then to the global state.
inline Lines Declined(const std::string& sState) {
    return {"Fish::HandleMessage - Routing telegram to m_pStateMachine.",
            "StateMachine::HandleMessage - Routing telegram to m_pCurrentState::OnMessage.",
            sState + " received a telegram.", "FishGlobalState received a telegram."};
}

// The lines of a fish sprite made with these bounds from a strip iStripWidth wide.
inline Lines FishSprite(int l, int t, int r, int b, int iStripWidth) { return SpriteBlock(l, t, r, b, iStripWidth, 85); }
