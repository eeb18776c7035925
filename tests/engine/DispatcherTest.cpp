// The message dispatcher: what it delivers, when and in what order, also in a
// cabinet that runs for months (the tick count passes 2^31 after 24.8 days and
// wraps at 2^32 after 49.7); and which repeats of a delayed telegram it refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>

#include "Engine/BaseGameEntity.h"
#include "Engine/EntityManager.h"
#include "Engine/Framework.h"
#include "Engine/MessageDispatcher.h"
#include "Platform/headless/Headless.h"
#include "support/CaptureLog.h"
#include "support/Isolation.h"

namespace {

const uint64_t kSign = uint64_t{1} << 31, kWrap = uint64_t{1} << 32;
uint64_t s_qwClock = 0;  // the headless clock, counted in 64 bits

// Each telegram handled, by any mailbox: its tag (carried in the extra pointer,
// which the dispatcher passes on untouched), its stamp and when it came.
std::vector<intptr_t> s_vTags;
std::vector<int32_t> s_vStamps;
std::vector<uint64_t> s_vTicks;

struct Mailbox : BaseGameEntity {
    explicit Mailbox(int id) : BaseGameEntity(id) { EntityManager::Instance()->RegisterEntity(this); }
    void Update() override {}
    bool HandleMessage(const Telegram& msg) override {
        s_vTags.push_back(reinterpret_cast<intptr_t>(msg.ExtraInfo));
        s_vStamps.push_back(msg.DispatchTime);
        s_vTicks.push_back(s_qwClock);
        if (m_fnOn) m_fnOn(msg);
        return true;
    }
    std::function<void(const Telegram&)> m_fnOn;
};

void Send(int iDelay, int iSender, int iReceiver, int iMsg, intptr_t iTag = 0) {
    MessageDispatcher::Instance()->DispatchMessage(iDelay, iSender, iReceiver, iMsg, reinterpret_cast<void*>(iTag));
}

// Moves the clock on in waits below INFINITE, with a delivery pass after each,
// as the game runs one every frame.
void DeliverAt(uint64_t qwTick) {
    do {
        const DWORD dwStep = static_cast<DWORD>(std::min<uint64_t>(qwTick - s_qwClock, 0x7FFFFFFF));
        MsgWaitForMultipleObjects(0, NULL, FALSE, dwStep, QS_ALLINPUT);
        s_qwClock += dwStep;
        MessageDispatcher::Instance()->DispatchDelayedMessages();
    } while (s_qwClock < qwTick);
}

}  // namespace

ISOLATED_TEST(Dispatcher, AnImmediateTelegramIsHandledInsideTheCallThatSendsIt) {
    platform::SelectHeadlessBackend();
    CaptureLog log;
    Mailbox a(0), b(1);
    a.m_fnOn = [](const Telegram&) {
        Send(-5, 0, 1, Msg_Die, 2);
        s_vTags.push_back(3);  // a's handler goes on
    };
    Send(0, 1, 0, Msg_Panic, 1);
    s_vTags.push_back(4);  // the sender goes on
    EXPECT_EQ((std::vector<intptr_t>{1, 2, 3, 4}), s_vTags);
    EXPECT_EQ((std::vector<int32_t>{0, -5}), s_vStamps);
}

TEST(Dispatcher, DueTelegramsComeInThePassAfterTheirTickEarliestFirstWhateverTheTickCount) {
    for (uint64_t qwStart : {uint64_t{0}, kSign - 2000, kWrap - 2000, kWrap + kSign - 2000, 2 * kWrap - 2000}) {
        SCOPED_TRACE(qwStart);
        isolation::RunInChild([qwStart] {
            platform::SelectHeadlessBackend();
            CaptureLog log;
            Mailbox box(0);
            // The handler queues the telegram it got once more: kept, though due 101 ms after it.
            box.m_fnOn = [](const Telegram& msg) {
                if (reinterpret_cast<intptr_t>(msg.ExtraInfo) == 1) Send(100, 0, 0, Msg_GoodbyeCruelWorld, 5);
            };
            DeliverAt(qwStart);
            Send(3000, 0, 0, Msg_GoodbyeCruelWorld, 1);
            Send(1000, 0, 0, Msg_SpeedUp, 2);
            Send(2900, 0, 0, Msg_Jump, 3);
            Send(6000, 0, 0, Msg_Reset, 4);
            Send(1950, 0, 0, Msg_Talk, 6);
            Send(2100, 0, 0, Msg_Talk, 7);  // due 150 ms after its twin, across 2^31 or 2^32 for some starts
            // Stamped with the due tick as the 32-bit count will read it; logged so, never negative.
            EXPECT_EQ(static_cast<int32_t>(qwStart + 2100), MessageDispatcher::Instance()->LastDueTick());
            const std::string strTicks = "Current Ticks: " + std::to_string(static_cast<uint32_t>(qwStart)) +
                                         "\nDispatch at:   " + std::to_string(static_cast<uint32_t>(qwStart + 3000));
            EXPECT_NE(std::string::npos, log.Text().find(strTicks + "\n"));
            for (int iTick : {999, 1000}) DeliverAt(qwStart + iTick);
            EXPECT_TRUE(s_vTags.empty());
            for (int iTick : {1001, 1002, 3001}) DeliverAt(qwStart + iTick);
            Send(INT32_MAX, 0, 0, Msg_Talk, 8);  // due beyond the largest tick: waits at the back, holding nothing up
            DeliverAt(qwStart + 6001);
            EXPECT_EQ((std::vector<intptr_t>{2, 6, 3, 1, 5, 4}), s_vTags);
            auto due = [qwStart](int iDue) { return static_cast<int32_t>(qwStart + iDue); };
            EXPECT_EQ((std::vector<int32_t>{due(1000), due(1950), due(2900), due(3000), due(3101), due(6000)}),
                      s_vStamps);
            for (uint64_t& qwTick : s_vTicks) qwTick -= qwStart;
            EXPECT_EQ((std::vector<uint64_t>{1001, 3001, 3001, 3001, 6001, 6001}), s_vTicks);
            EXPECT_EQ(1u, MessageDispatcher::Instance()->QueueLength());
        });
    }
}

TEST(Dispatcher, ARepeatIsRefusedOnlyBesideItsTwinNotAcrossAnotherKind) {
    struct Sent {
        DWORD dwAt;
        int iDelay, iSender, iReceiver, iMsg;
    };
    const struct {
        const char* szWhat;
        std::vector<Sent> vSent;
        std::vector<intptr_t> vDelivered;  // positions in vSent, in the order delivered
    } aScenarios[] = {
        {"due 200 and 249 ms after its twin: refused; 250: kept; other kinds due at the same tick: all kept",
         {{100, 1000, 0, 0, Msg_Jump}, {300, 1000, 0, 0, Msg_Jump}, {349, 1000, 0, 0, Msg_Jump},
          {350, 1000, 0, 0, Msg_Jump}, {350, 1000, 0, 0, Msg_Talk}, {350, 1000, 1, 0, Msg_Jump},
          {350, 1000, 0, 1, Msg_Jump}, {350, 1000, 0, 0, Msg_Panic}, {350, 1000, 0, 0, Msg_Panic}},
         {0, 3, 4, 5, 6, 7}},
        {"a telegram of another kind between twins keeps both; a twin beside either place is refused",
         {{0, 1000, 0, 0, Msg_Jump}, {0, 1100, 0, 0, Msg_Talk}, {0, 1200, 0, 0, Msg_Jump}, {0, 1050, 0, 0, Msg_Jump},
          {0, 1150, 0, 0, Msg_Jump}, {0, 1449, 0, 0, Msg_Jump}, {0, 1450, 0, 0, Msg_Jump}},
         {0, 1, 2, 6}},
        {"twins due 249, 250 and 251 ms apart: the first refused, the others kept",
         {{0, 1000, 0, 0, Msg_Jump}, {0, 1249, 0, 0, Msg_Jump}, {0, 3000, 0, 0, Msg_Jump}, {0, 3250, 0, 0, Msg_Jump},
          {0, 4000, 0, 0, Msg_Jump}, {0, 4251, 0, 0, Msg_Jump}},
         {0, 2, 3, 4, 5}},
        {"the same with a telegram of another kind between: all kept",
         {{0, 1000, 0, 0, Msg_Jump}, {0, 1100, 0, 0, Msg_Talk}, {0, 1249, 0, 0, Msg_Jump}, {0, 3000, 0, 0, Msg_Jump},
          {0, 3100, 0, 0, Msg_Talk}, {0, 3250, 0, 0, Msg_Jump}, {0, 4000, 0, 0, Msg_Jump}, {0, 4100, 0, 0, Msg_Talk},
          {0, 4251, 0, 0, Msg_Jump}},
         {0, 1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const auto& scenario : aScenarios) {
        SCOPED_TRACE(scenario.szWhat);
        isolation::RunInChild([&] {
            platform::SelectHeadlessBackend();
            CaptureLog log;
            Mailbox a(0), b(1);
            for (size_t i = 0; i < scenario.vSent.size(); ++i) {
                const Sent& s = scenario.vSent[i];
                DeliverAt(s.dwAt);
                Send(s.iDelay, s.iSender, s.iReceiver, s.iMsg, static_cast<intptr_t>(i));
            }
            DeliverAt(5000);
            EXPECT_EQ(scenario.vDelivered, s_vTags);
        });
    }
}

TEST(Telegram, EqualWhenSameSenderReceiverAndKindAreDueLessThanSmallestDelayApart) {
    const struct {
        int32_t iDueA, iDueB, iSenderB, iReceiverB, iMsgB;
        bool bEqual;
    } aRows[] = {
        {1000, 1000, 0, 1, Msg_Jump, true},   {1000, 1249, 0, 1, Msg_Jump, true},
        {1249, 1000, 0, 1, Msg_Jump, true},   {1000, 1250, 0, 1, Msg_Jump, false},
        {1250, 1000, 0, 1, Msg_Jump, false},  {1000, 1251, 0, 1, Msg_Jump, false},
        {1000, 1100, 2, 1, Msg_Jump, false},  {1000, 1100, 0, 2, Msg_Jump, false},
        {1000, 1100, 0, 1, Msg_Talk, false},  {INT32_MIN, INT32_MAX, 0, 1, Msg_Jump, false},
    };
    for (const auto& row : aRows) {
        SCOPED_TRACE(testing::Message() << row.iDueA << " and " << row.iDueB);
        const Telegram a(row.iDueA, 0, 1, Msg_Jump, reinterpret_cast<void*>(1));
        const Telegram b(row.iDueB, row.iSenderB, row.iReceiverB, row.iMsgB, nullptr);  // the extra pointer is not compared
        EXPECT_EQ(row.bEqual, a == b);
        EXPECT_EQ(row.bEqual, b == a);
        // Equal telegrams are neither less than the other; others go by due time.
        EXPECT_EQ(!row.bEqual && row.iDueA < row.iDueB, a < b);
        EXPECT_EQ(!row.bEqual && row.iDueB < row.iDueA, b < a);
    }
}

TEST(Dispatcher, AnUnregisteredReceiverStopsTheProgramEvenForADelayedTelegram) {
    EXPECT_DEATH(Send(0, 0, 424242, Msg_Reset), "<EntityManager::GetEntityFromID>: invalid ID");
    EXPECT_DEATH(Send(500, 0, 424242, Msg_Reset), "<EntityManager::GetEntityFromID>: invalid ID");
}
