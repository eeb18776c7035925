// A cabinet that runs for months: the tick count passes 2^31 after 24.8 days
// and wraps at 2^32 after 49.7. Delayed telegrams must still arrive on time
// and in order, and frames must keep coming at their pace.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "Engine/BaseGameEntity.h"
#include "Engine/EntityManager.h"
#include "Engine/Framework.h"
#include "Engine/MessageDispatcher.h"
#include "engine/FakeGame.h"
#include "support/CaptureLog.h"
#include "support/Isolation.h"

namespace {

using Lines = std::vector<std::string>;

const uint64_t kSignBoundary = uint64_t{1} << 31;
const uint64_t kWrap = uint64_t{1} << 32;

uint64_t s_uiClock = 0;  // the headless clock as a 64-bit count, kept by Advance

// Moves the headless clock on, in waits below INFINITE.
void Advance(uint64_t uiMilliseconds) {
    s_uiClock += uiMilliseconds;
    while (uiMilliseconds > 0) {
        const DWORD dwStep = uiMilliseconds > 0x7FFFFFFFu ? 0x7FFFFFFFu : static_cast<DWORD>(uiMilliseconds);
        MsgWaitForMultipleObjects(0, NULL, FALSE, dwStep, QS_ALLINPUT);
        uiMilliseconds -= dwStep;
    }
}
void AdvanceTo(uint64_t uiTick) { Advance(uiTick - s_uiClock); }

void Send(int iDelay, int iSender, int iReceiver, int iMsg) {
    MessageDispatcher::Instance()->DispatchMessage(iDelay, iSender, iReceiver, iMsg, nullptr);
}
void Deliver() { MessageDispatcher::Instance()->DispatchDelayedMessages(); }

// Records each telegram with the 64-bit clock at which it arrived.
struct Clockbox : BaseGameEntity {
    explicit Clockbox(int id) : BaseGameEntity(id) { EntityManager::Instance()->RegisterEntity(this); }
    void Update() override {}
    bool HandleMessage(const Telegram& msg) override {
        m_vGot.push_back({msg.Msg, s_uiClock});
        m_vStamps.push_back(msg.DispatchTime);
        return true;
    }
    std::vector<std::pair<int, uint64_t>> m_vGot;
    std::vector<int32_t> m_vStamps;
};

struct Expected {
    int iMsg;
    uint64_t uiDue;
};

// Queues telegrams of distinct types at a few moments before the boundary, then
// walks over it in 20 ms passes: each must arrive in the first pass after its
// due tick, earliest first.
void CrossWithTelegramsQueued(uint64_t uiBoundary, Clockbox& box) {
    box.m_vGot.clear();
    std::vector<Expected> vExpected;
    int iMsg = Msg_Jump;
    AdvanceTo(uiBoundary - 2000);
    Deliver();
    const uint64_t auiSendAt[] = {uiBoundary - 2000, uiBoundary - 1500, uiBoundary - 300};
    while (s_uiClock < uiBoundary + 7000) {
        for (uint64_t uiAt : auiSendAt) {
            if (uiAt != s_uiClock) continue;
            for (int iDelay : {100, 299, 300, 301, 1700, 2600, 6000}) {
                Send(iDelay, 0, 0, iMsg);
                vExpected.push_back({iMsg++, uiAt + iDelay});
            }
        }
        Advance(20);
        Deliver();
    }
    std::stable_sort(vExpected.begin(), vExpected.end(),
                     [](const Expected& a, const Expected& b) { return a.uiDue < b.uiDue; });
    ASSERT_EQ(vExpected.size(), box.m_vGot.size());
    for (size_t i = 0; i < vExpected.size(); ++i) {
        EXPECT_EQ(vExpected[i].iMsg, box.m_vGot[i].first) << "telegram " << i << " out of order";
        const uint64_t uiLate = box.m_vGot[i].second - vExpected[i].uiDue;
        EXPECT_TRUE(box.m_vGot[i].second > vExpected[i].uiDue && uiLate <= 20)
            << "message " << vExpected[i].iMsg << " due " << vExpected[i].uiDue << " came at "
            << box.m_vGot[i].second;
    }
    EXPECT_EQ(0u, MessageDispatcher::Instance()->QueueLength());
}

}  // namespace

ISOLATED_TEST(LongRunClock, PastTwoToThe31ATelegramIsLoggedStampedAndDeliveredOnTime) {
    fake_game::Reset();
    s_uiClock = 0;
    Clockbox box(0);
    AdvanceTo(kSignBoundary + 5000);
    CaptureLog log;
    Send(1000, 0, 0, Msg_SpeedUp);
    Send(300, 0, 0, Msg_Jump);
    // The log shows the tick count as the platform gives it, never a negative number.
    const Lines vLog = log.Lines();
    ASSERT_GE(vLog.size(), 5u);
    EXPECT_EQ((Lines{"MessageDispatcher::DispatchMessage - Checking ID & timestamp.", "Delay: 1000",
                     "Do not open until XMAS. :(", "Current Ticks: 2147488648", "Dispatch at:   2147489648"}),
              Lines(vLog.begin(), vLog.begin() + 5));
    Advance(300);
    Deliver();
    EXPECT_TRUE(box.m_vGot.empty()) << "due at this very tick: waits for the next pass";
    Advance(1);
    Deliver();
    Advance(699);
    Deliver();
    ASSERT_EQ(1u, box.m_vGot.size());
    EXPECT_EQ(Msg_Jump, box.m_vGot[0].first);
    Advance(1);
    Deliver();
    ASSERT_EQ(2u, box.m_vGot.size());
    EXPECT_EQ(Msg_SpeedUp, box.m_vGot[1].first);
    // The stamp is the due tick as the 32-bit count reads it.
    EXPECT_EQ(static_cast<int32_t>(static_cast<uint32_t>(kSignBoundary + 6000)), box.m_vStamps[1]);
}

ISOLATED_TEST(LongRunClock, TelegramsQueuedAcrossTheSignBoundaryAndTheWrapArriveOnTimeAndInOrder) {
    fake_game::Reset();
    s_uiClock = 0;
    Clockbox box(0);
    CaptureLog log;
    CrossWithTelegramsQueued(kSignBoundary, box);
    CrossWithTelegramsQueued(kWrap, box);
    // Past the wrap the platform's count starts again from 0; the dispatcher's clock does not.
    CrossWithTelegramsQueued(2 * kWrap + kSignBoundary, box);
}

ISOLATED_TEST(LongRunClock, AcrossTheWrapTheLogShowsTheCountAsItWillReadAndRepeatsAreStillRefused) {
    fake_game::Reset();
    s_uiClock = 0;
    Clockbox box(0);
    AdvanceTo(kWrap - 300);
    Deliver();
    CaptureLog log;
    Send(1000, 0, 0, Msg_Talk);  // due 700 ms after the wrap
    EXPECT_EQ("Current Ticks: 4294966996", log.Lines().at(3));
    EXPECT_EQ("Dispatch at:   700", log.Lines().at(4));
    // Due 150 ms apart on either side of the wrap: the same telegram, refused.
    Send(1150, 0, 0, Msg_Talk);
    // 250 ms apart: a second telegram, kept.
    Send(1250, 0, 0, Msg_Talk);
    EXPECT_EQ(2u, MessageDispatcher::Instance()->QueueLength());
    AdvanceTo(kWrap + 951);
    Deliver();
    ASSERT_EQ(2u, box.m_vGot.size());
    EXPECT_EQ(700, box.m_vStamps[0]);
    EXPECT_EQ(950, box.m_vStamps[1]);
}

namespace {

// Runs the engine's frame loop from the given clock for 200 frames and returns
// the ticks of its game cycles.
std::vector<DWORD> FramesFrom(uint64_t uiStart) {
    fake_game::Reset();
    s_uiClock = 0;
    AdvanceTo(uiStart);
    int iCycles = 0;
    fake_game::Get().fnCycle = [&iCycles] {
        if (++iCycles == 200) PostMessage(GameEngine::GetEngine()->GetWindow(), WM_CLOSE, 0, 0);
    };
    WinMain(GetModuleHandle(NULL), NULL, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    return fake_game::Ticks("GameCycle");
}

void ExpectSteadyFrames(const std::vector<DWORD>& vTicks) {
    ASSERT_EQ(200u, vTicks.size());
    for (size_t i = 1; i < vTicks.size(); ++i)
        EXPECT_EQ(34u, vTicks[i] - vTicks[i - 1]) << "frame " << i << " at tick " << vTicks[i];
}

}  // namespace

ISOLATED_TEST(LongRunClock, FramesKeepTheirPaceAcrossTheSignBoundary) {
    ExpectSteadyFrames(FramesFrom(kSignBoundary - 3000));
}

ISOLATED_TEST(LongRunClock, FramesKeepTheirPaceAcrossTheWrap) { ExpectSteadyFrames(FramesFrom(kWrap - 3000)); }
