// The message dispatcher: immediate and delayed delivery with their log lines,
// the duplicate rule and the order of delivery.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "Engine/BaseGameEntity.h"
#include "Engine/EntityManager.h"
#include "Engine/Framework.h"
#include "Engine/MessageDispatcher.h"
#include "engine/FakeGame.h"
#include "support/CaptureLog.h"
#include "support/Isolation.h"

namespace {

typedef std::vector<std::string> Lines;
const std::string strChecking = "MessageDispatcher::DispatchMessage - Checking ID & timestamp.";

// Registers itself, writes a line for each telegram and may react to it.
struct Mailbox : BaseGameEntity {
    explicit Mailbox(int id, bool bAccept = true) : BaseGameEntity(id), m_bAccept(bAccept) {
        EntityManager::Instance()->RegisterEntity(this);
    }
    void Update() override {}
    bool HandleMessage(const Telegram& msg) override {
        std::cout << "Mailbox " << ID() << " got " << msg.Msg << std::endl;
        m_vReceived.push_back(msg);
        m_vTypes.push_back(msg.Msg);
        if (m_fnOnMessage) m_fnOnMessage(msg);
        return m_bAccept;
    }
    bool m_bAccept;
    std::vector<Telegram> m_vReceived;
    std::vector<int> m_vTypes;
    std::function<void(const Telegram&)> m_fnOnMessage;
};

void Send(int iDelay, int iSender, int iReceiver, int iMsg) {
    MessageDispatcher::Instance()->DispatchMessage(iDelay, iSender, iReceiver, iMsg, nullptr);
}
void Deliver() { MessageDispatcher::Instance()->DispatchDelayedMessages(); }
const std::multiset<Telegram>& Queue() { return MessageDispatcher::Instance()->GetDelayedTelegrams(); }

}  // namespace

ISOLATED_TEST(Dispatcher, ImmediateTelegramsAreHandledInsideTheCall) {
    fake_game::Reset();
    Mailbox a(0), b(1), refuser(2, false);
    a.m_fnOnMessage = [](const Telegram&) { Send(-5, 0, 1, Msg_Die); };
    CaptureLog log;
    Send(0, 1, 0, Msg_Panic);
    Send(0, 0, 2, Msg_Reset);
    EXPECT_EQ((Lines{strChecking, "Delay: 0", "Mailing now!", "Mailbox 0 got 3", strChecking, "Delay: -5",
                     "Mailing now!", "Mailbox 1 got 5", strChecking, "Delay: 0", "Mailing now!", "Mailbox 2 got 0",
                     "Message not handled"}),
              log.Lines());
    EXPECT_EQ(-5, b.m_vReceived.at(0).DispatchTime);
    EXPECT_TRUE(Queue().empty());
}

ISOLATED_TEST(Dispatcher, ADelayedTelegramWaitsUntilItsDueTickHasPassed) {
    fake_game::Reset();
    Mailbox receiver(3);
    fake_game::AdvanceTo(500);
    CaptureLog log;
    Send(1000, 3, 3, Msg_SpeedUp);
    fake_game::AdvanceTo(1500);
    Deliver();
    EXPECT_EQ((Lines{strChecking, "Delay: 1000", "Do not open until XMAS. :(", "Current Ticks: 500",
                     "Dispatch at:   1500"}),
              log.Lines());
    fake_game::AdvanceTo(1501);
    Deliver();
    Deliver();
    EXPECT_EQ("Mailing saved letter now.", log.Lines().at(5));
    EXPECT_EQ("Mailbox 3 got 19", log.Lines().at(6));
    EXPECT_EQ(7u, log.Lines().size());
    EXPECT_EQ(1500, receiver.m_vReceived.at(0).DispatchTime);
}

ISOLATED_TEST(Dispatcher, OnlyARepeatWithinTheSmallestDelayIsRefused) {
    fake_game::Reset();
    Mailbox a(0), b(1);
    CaptureLog log;
    for (DWORD dwTick : {100, 300, 349, 350}) {  // due 200 and 249 ms after the first: refused; 250: kept
        fake_game::AdvanceTo(dwTick);
        Send(1000, 0, 0, Msg_Jump);
    }
    EXPECT_EQ("Dispatch at:   1349", log.Lines().at(14));  // a refused telegram's lines are written all the same
    // Due at the same tick but differing in type, sender or receiver: all kept, in the order sent.
    Send(1000, 0, 0, Msg_Talk);
    Send(1000, 1, 0, Msg_Jump);
    Send(1000, 0, 1, Msg_Jump);
    Send(1000, 0, 0, Msg_Panic);
    EXPECT_EQ(6u, Queue().size());
    fake_game::AdvanceTo(1400);
    Deliver();
    EXPECT_EQ((std::vector<int>{Msg_Jump, Msg_Jump, Msg_Talk, Msg_Jump, Msg_Panic}), a.m_vTypes);
    EXPECT_EQ(1350, a.m_vReceived[1].DispatchTime);
    EXPECT_EQ(1, a.m_vReceived[3].Sender);
    EXPECT_EQ(1u, b.m_vReceived.size());
}

ISOLATED_TEST(Dispatcher, ARepeatIsRefusedOnlyBesideItsTwinNotAcrossAnotherKind) {
    fake_game::Reset();
    Mailbox a(0);
    struct { int iDelay, iMsg; bool bKept; } aCases[] = {
        {1000, Msg_Jump, true},
        {1100, Msg_Talk, true},
        {1200, Msg_Jump, true},   // 200 ms after a Jump, but a Talk lies between
        {1050, Msg_Jump, false},  // the Jump before it is a repeat
        {1150, Msg_Jump, false},  // the Jump after it is a repeat
        {1449, Msg_Jump, false},  // 249 ms after the last Jump
        {1450, Msg_Jump, true},
    };
    size_t nKept = 0;
    for (const auto& c : aCases) {
        Send(c.iDelay, 0, 0, c.iMsg);
        nKept += c.bKept;
        EXPECT_EQ(nKept, Queue().size()) << "delay " << c.iDelay;
    }
    fake_game::AdvanceTo(2000);
    Deliver();
    EXPECT_EQ((std::vector<int>{Msg_Jump, Msg_Talk, Msg_Jump, Msg_Jump}), a.m_vTypes);
    EXPECT_EQ(1200, a.m_vReceived[2].DispatchTime);
}

ISOLATED_TEST(Dispatcher, DueTelegramsGoInOnePassEarliestFirstAndNewOnesWait) {
    fake_game::Reset();
    Mailbox receiver(0);
    // The handler queues the same telegram again: kept, and not delivered in the same pass.
    receiver.m_fnOnMessage = [](const Telegram& msg) {
        if (msg.Msg == Msg_Jump) Send(100, 0, 0, Msg_Jump);
    };
    Send(3000, 0, 0, Msg_GoodbyeCruelWorld);
    Send(1000, 0, 0, Msg_SpeedUp);
    Send(2900, 0, 0, Msg_Jump);
    Send(6000, 0, 0, Msg_Reset);
    fake_game::AdvanceTo(3001);
    Deliver();
    EXPECT_EQ((std::vector<int>{Msg_SpeedUp, Msg_Jump, Msg_GoodbyeCruelWorld}), receiver.m_vTypes);
    EXPECT_EQ(3101, Queue().begin()->DispatchTime);
    Send(INT32_MAX, 0, 0, Msg_Talk);  // due beyond the largest tick: waits at the back, blocking nothing
    fake_game::AdvanceTo(6001);
    Deliver();
    EXPECT_EQ((std::vector<int>{Msg_SpeedUp, Msg_Jump, Msg_GoodbyeCruelWorld, Msg_Jump, Msg_Reset}),
              receiver.m_vTypes);
    EXPECT_EQ(2u, Queue().size());
}

TEST(Dispatcher, AnUnregisteredReceiverStopsTheProgramEvenForADelayedTelegram) {
    EXPECT_DEATH(Send(0, 0, 424242, Msg_Reset), "<EntityManager::GetEntityFromID>: invalid ID");
    EXPECT_DEATH(Send(500, 0, 424242, Msg_Reset), "<EntityManager::GetEntityFromID>: invalid ID");
}
