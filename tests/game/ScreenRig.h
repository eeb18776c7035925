// A Screen on the headless backend with its bitmaps and an engine to collect
// its sprites, beside stand-ins for the Fish and the Blender that log each
// telegram they receive, so that nesting shows in the console log.
#pragma once

#include <iostream>
#include <string>
#include <vector>

#include "Engine/EntityManager.h"
#include "Engine/MessageDispatcher.h"
#include "Platform/Headless.h"
#include "Screen/Screen.h"
#include "support/CaptureLog.h"
#include "support/GameRun.h"
#include "support/Isolation.h"
#include "support/RecordingEntity.h"

class LoggingStandIn : public RecordingEntity {
public:
    LoggingStandIn(int id, const char* szName) : RecordingEntity(id), m_szName(szName) {}
    bool HandleMessage(const Telegram& msg) override {
        std::cout << m_szName << " got " << msg.Msg << std::endl;
        return RecordingEntity::HandleMessage(msg);
    }

private:
    const char* m_szName;
};

inline std::string Got(const char* szName, int iMsg) { return std::string(szName) + " got " + std::to_string(iMsg); }

inline Lines DeclinedBy(const std::string& sState) {
    return Join({RoutedTo("Screen", sState), {"ScreenGlobalState received a telegram.", "Message not handled"}});
}

// ResetAllEntities as the Screen writes it, its own reset routed through sState.
inline Lines ResetAllFrom(const std::string& sState) {
    const Lines vOpen = {"Screen Class is writing a message: 'Msg_Reset'"};
    const Lines vClose = {"Screen Class just sent message.", ""};
    return Join({vOpen, MailNow(), {Got("Blender", Msg_Reset)}, vClose, vOpen, MailNow(), {Got("Fish", Msg_Reset)},
                 vClose, vOpen, MailNow(), RoutedTo("Screen", sState),
                 {"ScreenGlobalState received a telegram.", "Message 'Msg_Reset' Accepted!", ""},
                 WindowSprite(640, 167), WindowSprite(640, 480), {"Screen::Initialize: 0 0 640 167", ""}, vClose});
}

struct ScreenRig {
    Bitmap* pTitle;
    Bitmap* pSaved;
    Bitmap* pDeath;
    GameEngine* pEngine;
    Screen* pScreen;
    LoggingStandIn* pFish;
    LoggingStandIn* pBlender;

    ScreenRig() {
        platform::SelectHeadlessBackend();
        HDC hDC = CreateCompatibleDC(NULL);
        HINSTANCE hInstance = GetModuleHandle(NULL);
        pTitle = new Bitmap(hDC, 2017, hInstance);
        pSaved = new Bitmap(hDC, 2018, hInstance);
        pDeath = new Bitmap(hDC, 2019, hInstance);
        pEngine = new GameEngine(hInstance, "Whirlquarium", "Whirlquarium", 1000, 1001, 640, 480);
        pScreen = new Screen(0, pEngine, new Bitmap(hDC, 2016, hInstance), pTitle, pSaved, pDeath);
        pFish = new LoggingStandIn(1, "Fish");
        pBlender = new LoggingStandIn(2, "Blender");
        for (BaseGameEntity* p : std::vector<BaseGameEntity*>{pScreen, pFish, pBlender})
            EntityManager::Instance()->RegisterEntity(p);
        pScreen->Initialize();
    }

    // An immediate telegram to the Screen, as another entity sends it.
    void Send(int iMsg, int iSender = 2) { MessageDispatcher::Instance()->DispatchMessage(0, iSender, 0, iMsg, nullptr); }

    // Lets the clock run on and delivers what has fallen due, as a frame does.
    void Wait(DWORD dwMs) {
        MsgWaitForMultipleObjects(0, NULL, FALSE, dwMs, QS_ALLINPUT);
        MessageDispatcher::Instance()->DispatchDelayedMessages();
    }

    State<Screen>* Current() const { return pScreen->GetFSM()->CurrentState(); }

    // Z-orders of the sprites left after the engine has retired the killed ones.
    std::vector<int> ZOrdersAfterUpdate() const {
        pEngine->UpdateSprites();
        std::vector<int> v;
        for (Sprite* p : pEngine->GetSprites()) v.push_back(p->GetZOrder());
        return v;
    }

    std::vector<Telegram> Queued(int iMsg) const {
        std::vector<Telegram> v;
        for (const Telegram& t : MessageDispatcher::Instance()->GetDelayedTelegrams())
            if (t.Msg == iMsg) v.push_back(t);
        return v;
    }
};

const std::vector<int> kBannerOverBackground = {1, 30};
