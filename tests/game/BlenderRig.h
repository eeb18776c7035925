// A Blender with real bitmaps, an engine to hold its sprites, and stand-ins for
// the Screen and the Fish that note every telegram they receive.
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
using Mail = std::vector<std::pair<int, int>>;  // (receiver ID, message), in delivery order

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
    Blender* pBlender;

    explicit BlenderRig(bool bInitialize = true) {
        platform::SelectHeadlessBackend();
        HDC hDC = CreateCompatibleDC(NULL);
        pEngine = new GameEngine(GetModuleHandle(NULL), "Whirlquarium", "Whirlquarium", 1000, 1001, 640, 480);
        // Held for the life of the process, as the game holds its bitmaps, so that a
        // test that deletes the Blender leaves none of them unreachable.
        static Bitmap* b[7];
        for (int i = 0; i < 7; ++i) b[i] = new Bitmap(hDC, 2009 + i, GetModuleHandle(NULL));
        EntityManager::Instance()->RegisterEntity(new PostedEntity(0, &mail));
        EntityManager::Instance()->RegisterEntity(new PostedEntity(1, &mail));
        pBlender = new Blender(2, pEngine, b[0], b[1], b[2], b[3], b[4], b[5], b[6]);
        EntityManager::Instance()->RegisterEntity(pBlender);
        if (bInitialize) pBlender->Initialize();
    }

    // One frame of the game, as far as the Blender takes part in it.
    void Frame(int n = 1) {
        for (int i = 0; i < n; ++i) {
            MessageDispatcher::Instance()->DispatchDelayedMessages();
            pBlender->Update();
            pEngine->UpdateSprites();
        }
    }
    void Wait(DWORD dwMilliseconds) { MsgWaitForMultipleObjects(0, NULL, FALSE, dwMilliseconds, QS_ALLINPUT); }
    bool Tell(int iMsg) { return pBlender->HandleMessage(Telegram(0, 0, 2, iMsg, nullptr)); }
    const std::vector<Sprite*>& Sprites() const { return pEngine->GetSprites(); }
    State<Blender>* Current() const { return pBlender->GetFSM()->CurrentState(); }
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
        else if (s.rfind("rcBounds: ", 0) != 0 && s.rfind("m_rc", 0) != 0)
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

// Where a sprite stands and what it shows.
inline void ExpectSprite(Sprite* p, Bitmap* pBitmap, int iFrames, int iDelay, int iZOrder, int l, int t) {
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetBitmap(), pBitmap);
    EXPECT_EQ(p->GetNumFrames(), iFrames);
    EXPECT_EQ(p->GetFrameDelay(), iDelay);
    EXPECT_EQ(p->GetZOrder(), iZOrder);
    const RECT& rc = p->GetPosition();
    EXPECT_EQ(std::vector<long>({rc.left, rc.top, rc.right, rc.bottom}),
              std::vector<long>({l, t, l + 640, t + 480}));
}
