// A Blender with real bitmaps, an engine to hold its sprites, and recording
// stand-ins for the Screen and the Fish.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "Blender/Blender.h"
#include "Engine/EntityManager.h"
#include "Engine/Framework.h"
#include "Engine/MessageDispatcher.h"
#include "Platform/Headless.h"
#include "support/CaptureLog.h"
#include "support/RecordingEntity.h"

using Lines = std::vector<std::string>;
// Telegrams as the stand-ins received them, in order: (receiver ID, message).
using Mail = std::vector<std::pair<int, int>>;

class PostedEntity : public RecordingEntity {
public:
    PostedEntity(int id, Mail* pMail) : RecordingEntity(id), m_pMail(pMail) {}
    bool HandleMessage(const Telegram& msg) override {
        m_pMail->push_back({ID(), msg.Msg});
        return RecordingEntity::HandleMessage(msg);
    }

private:
    Mail* m_pMail;
};

struct BlenderRig {
    CaptureLog quiet;  // what no test looks at stays off the console
    Mail mail;
    GameEngine* pEngine;
    PostedEntity* pScreen;
    PostedEntity* pFish;
    Blender* pBlender;

    explicit BlenderRig(bool bInitialize = true) {
        platform::SelectHeadlessBackend();
        HDC hDC = CreateCompatibleDC(NULL);
        pEngine = new GameEngine(GetModuleHandle(NULL), "Whirlquarium", "Whirlquarium", 1000, 1001, 640, 480);
        Bitmap* b[7];
        for (int i = 0; i < 7; ++i) b[i] = new Bitmap(hDC, 2009 + i, GetModuleHandle(NULL));
        pScreen = new PostedEntity(0, &mail);
        pFish = new PostedEntity(1, &mail);
        pBlender = new Blender(2, pEngine, b[0], b[1], b[2], b[3], b[4], b[5], b[6]);
        EntityManager::Instance()->RegisterEntity(pScreen);
        EntityManager::Instance()->RegisterEntity(pFish);
        EntityManager::Instance()->RegisterEntity(pBlender);
        if (bInitialize) pBlender->Initialize();
    }

    // One frame of the game, as far as the Blender takes part in it.
    void Frame() {
        MessageDispatcher::Instance()->DispatchDelayedMessages();
        pBlender->Update();
        pEngine->UpdateSprites();
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Frame();
    }
    void Wait(DWORD dwMilliseconds) { MsgWaitForMultipleObjects(0, NULL, FALSE, dwMilliseconds, QS_ALLINPUT); }

    // A telegram from the Screen, handed straight to the Blender.
    bool Tell(int iMsg) { return pBlender->HandleMessage(Telegram(0, 0, 2, iMsg, nullptr)); }

    std::vector<Sprite*> Live() const {
        std::vector<Sprite*> v;
        for (Sprite* p : pEngine->GetSprites())
            if (!p->IsDying()) v.push_back(p);
        return v;
    }
    State<Blender>* Current() const { return pBlender->GetFSM()->CurrentState(); }

    // From Calm to Blending, as the blender button does it.
    void StartBlending() {
        pBlender->SetBlending(true);
        Frame();
    }
};

// The log with each sprite's construction diagnostics folded into one marker.
inline Lines Story(const CaptureLog& log) {
    Lines v;
    for (const std::string& s : log.Lines()) {
        if (s == "Sprite Attributes")
            v.push_back("[sprite]");
        else if (s.rfind("rcBounds: ", 0) != 0 && s.rfind("m_rcBounds: ", 0) != 0 &&
                 s.rfind("m_rcPosition: ", 0) != 0 && s.rfind("m_rcCollision: ", 0) != 0)
            v.push_back(s);
    }
    return v;
}

inline Lines Cat(std::initializer_list<Lines> parts) {
    Lines v;
    for (const Lines& p : parts) v.insert(v.end(), p.begin(), p.end());
    return v;
}

inline Lines Mailed() {
    return {"MessageDispatcher::DispatchMessage - Checking ID & timestamp.", "Delay: 0", "Mailing now!"};
}

inline Lines Queued(int iDelay, long lNow) {
    return {"MessageDispatcher::DispatchMessage - Checking ID & timestamp.", "Delay: " + std::to_string(iDelay),
            "Do not open until XMAS. :(", "Current Ticks: " + std::to_string(lNow),
            "Dispatch at:   " + std::to_string(lNow + iDelay)};
}

// A state's send block around what the delivery writes.
inline Lines Sent(const std::string& sState, const Lines& vDelivery) {
    return Cat({{sState + " is writing a message."}, vDelivery, {sState + " just sent message.", ""}});
}

inline Lines Routed(const std::string& sState) {
    return {"Blender::HandleMessage - Routing telegram to m_pStateMachine.",
            "StateMachine::HandleMessage - Routing telegram to m_pCurrentState::OnMessage.",
            sState + " received a telegram."};
}

inline void ExpectPlace(Sprite* p, int l, int t, int r, int b) {
    ASSERT_NE(p, nullptr);
    const RECT& rc = p->GetPosition();
    EXPECT_EQ(rc.left, l);
    EXPECT_EQ(rc.top, t);
    EXPECT_EQ(rc.right, r);
    EXPECT_EQ(rc.bottom, b);
}
