// The message dispatcher: immediate and delayed delivery with their log lines,
// the duplicate rule, and delivery order.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "Engine/BaseGameEntity.h"
#include "Engine/EntityManager.h"
#include "Engine/Framework.h"
#include "Engine/MessageDispatcher.h"
#include "engine/Clock.h"
#include "support/CaptureLog.h"
#include "support/Isolation.h"

namespace {

// Writes one line per telegram it receives and can react to it.
class Mailbox : public BaseGameEntity {
public:
    explicit Mailbox(int id, bool bAccept = true) : BaseGameEntity(id), m_bAccept(bAccept) {
        EntityManager::Instance()->RegisterEntity(this);
    }
    void Update() override {}
    bool HandleMessage(const Telegram& msg) override {
        std::cout << "Mailbox " << ID() << " got " << msg.Msg << std::endl;
        m_vReceived.push_back(msg);
        if (m_fnOnMessage) m_fnOnMessage(msg);
        return m_bAccept;
    }

    std::vector<Telegram> m_vReceived;
    std::function<void(const Telegram&)> m_fnOnMessage;
    bool m_bAccept;
};

MessageDispatcher* Dispatcher() { return MessageDispatcher::Instance(); }

std::vector<int> Types(const std::vector<Telegram>& v) {
    std::vector<int> vTypes;
    for (const Telegram& t : v) vTypes.push_back(t.Msg);
    return vTypes;
}

}  // namespace

ISOLATED_TEST(DispatcherImmediate, ADelayOfZeroIsDeliveredInsideTheCall) {
    test_clock::Start();
    Mailbox sender(0);
    Mailbox receiver(1);
    int iExtra = 42;
    CaptureLog log;
    Dispatcher()->DispatchMessage(0, 0, 1, Msg_Panic, &iExtra);
    std::cout << "returned" << std::endl;

    EXPECT_EQ((std::vector<std::string>{"MessageDispatcher::DispatchMessage - Checking ID & timestamp.",
                                        "Delay: 0", "Mailing now!", "Mailbox 1 got 3", "returned"}),
              log.Lines());
    ASSERT_EQ(1u, receiver.m_vReceived.size());
    const Telegram& t = receiver.m_vReceived[0];
    EXPECT_EQ(0, t.DispatchTime);
    EXPECT_EQ(0, t.Sender);
    EXPECT_EQ(1, t.Receiver);
    EXPECT_EQ(&iExtra, t.ExtraInfo);
    EXPECT_TRUE(Dispatcher()->GetDelayedTelegrams().empty());
}

ISOLATED_TEST(DispatcherImmediate, ANegativeDelayIsDeliveredAtOnceAndKeptAsTheTime) {
    test_clock::Start();
    Mailbox receiver(0);
    CaptureLog log;
    Dispatcher()->DispatchMessage(-5, 0, 0, Msg_Talk, nullptr);
    EXPECT_EQ("Delay: -5", log.Lines()[1]);
    EXPECT_EQ("Mailing now!", log.Lines()[2]);
    ASSERT_EQ(1u, receiver.m_vReceived.size());
    EXPECT_EQ(-5, receiver.m_vReceived[0].DispatchTime);
}

ISOLATED_TEST(DispatcherImmediate, AnUnhandledTelegramIsReportedAfterTheReceiversLines) {
    test_clock::Start();
    Mailbox refuser(0, false);
    CaptureLog log;
    Dispatcher()->DispatchMessage(0, 0, 0, 10, nullptr);
    EXPECT_EQ((std::vector<std::string>{"MessageDispatcher::DispatchMessage - Checking ID & timestamp.",
                                        "Delay: 0", "Mailing now!", "Mailbox 0 got 10", "Message not handled"}),
              log.Lines());
}

ISOLATED_TEST(DispatcherImmediate, TelegramsSentByAHandlerNestInsideTheFirst) {
    test_clock::Start();
    Mailbox a(0);
    Mailbox b(1);
    a.m_fnOnMessage = [](const Telegram&) { Dispatcher()->DispatchMessage(0, 0, 1, Msg_Die, nullptr); };
    CaptureLog log;
    Dispatcher()->DispatchMessage(0, 1, 0, Msg_Panic, nullptr);
    std::vector<std::string> vLines = log.Lines();
    ASSERT_EQ(8u, vLines.size());
    EXPECT_EQ("Mailbox 0 got 3", vLines[3]);
    EXPECT_EQ("Mailbox 1 got 5", vLines[7]);
}

ISOLATED_TEST(DispatcherDelayed, IsDeliveredOnlyOnceItsDueTickHasPassed) {
    test_clock::Start();
    Mailbox receiver(3);
    test_clock::AdvanceTo(500);
    CaptureLog log;
    Dispatcher()->DispatchMessage(1000, 3, 3, Msg_SpeedUp, nullptr);
    EXPECT_EQ((std::vector<std::string>{"MessageDispatcher::DispatchMessage - Checking ID & timestamp.",
                                        "Delay: 1000", "Do not open until XMAS. :(", "Current Ticks: 500",
                                        "Dispatch at:   1500"}),
              log.Lines());
    ASSERT_EQ(1u, Dispatcher()->GetDelayedTelegrams().size());
    EXPECT_EQ(1500, Dispatcher()->GetDelayedTelegrams().begin()->DispatchTime);

    log.Clear();
    test_clock::AdvanceTo(1500);
    Dispatcher()->DispatchDelayedMessages();
    EXPECT_TRUE(receiver.m_vReceived.empty());
    EXPECT_EQ("", log.Text());

    test_clock::AdvanceTo(1501);
    Dispatcher()->DispatchDelayedMessages();
    EXPECT_EQ((std::vector<std::string>{"Mailing saved letter now.", "Mailbox 3 got 19"}), log.Lines());
    ASSERT_EQ(1u, receiver.m_vReceived.size());
    EXPECT_EQ(1500, receiver.m_vReceived[0].DispatchTime);
    EXPECT_TRUE(Dispatcher()->GetDelayedTelegrams().empty());

    Dispatcher()->DispatchDelayedMessages();
    EXPECT_EQ(1u, receiver.m_vReceived.size());
}

ISOLATED_TEST(DispatcherDelayed, ARepeatDueWithinTheSmallestDelayIsRefused) {
    test_clock::Start();
    Mailbox receiver(0);
    CaptureLog log;
    test_clock::AdvanceTo(100);
    Dispatcher()->DispatchMessage(1000, 0, 0, Msg_Jump, nullptr);
    test_clock::AdvanceTo(300);
    Dispatcher()->DispatchMessage(1000, 0, 0, Msg_Jump, nullptr);  // 200 ms later: a repeat
    test_clock::AdvanceTo(349);
    Dispatcher()->DispatchMessage(1000, 0, 0, Msg_Jump, nullptr);  // 249 ms: still a repeat
    EXPECT_EQ(1u, Dispatcher()->GetDelayedTelegrams().size());
    // The refused telegram's dispatch lines were written all the same.
    EXPECT_EQ(15u, log.Lines().size());
    EXPECT_EQ("Dispatch at:   1349", log.Lines().back());

    test_clock::AdvanceTo(350);
    Dispatcher()->DispatchMessage(1000, 0, 0, Msg_Jump, nullptr);  // exactly 250 ms: a new one
    EXPECT_EQ(2u, Dispatcher()->GetDelayedTelegrams().size());

    test_clock::AdvanceTo(2000);
    Dispatcher()->DispatchDelayedMessages();
    ASSERT_EQ(2u, receiver.m_vReceived.size());
    EXPECT_EQ(1100, receiver.m_vReceived[0].DispatchTime);
    EXPECT_EQ(1350, receiver.m_vReceived[1].DispatchTime);
}

ISOLATED_TEST(DispatcherDelayed, TelegramsThatDifferAreAllKeptEvenAtTheSameTick) {
    test_clock::Start();
    Mailbox a(0);
    Mailbox b(1);
    test_clock::AdvanceTo(10);
    CaptureLog log;
    Dispatcher()->DispatchMessage(300, 0, 0, Msg_Gravity, nullptr);
    Dispatcher()->DispatchMessage(300, 0, 0, Msg_Panic, nullptr);   // another type
    Dispatcher()->DispatchMessage(300, 1, 0, Msg_Gravity, nullptr); // another sender
    Dispatcher()->DispatchMessage(300, 0, 1, Msg_Gravity, nullptr); // another receiver
    Dispatcher()->DispatchMessage(100, 0, 0, Msg_Gravity, nullptr); // the same, 200 ms apart
    EXPECT_EQ(4u, Dispatcher()->GetDelayedTelegrams().size());

    test_clock::AdvanceTo(311);
    Dispatcher()->DispatchDelayedMessages();
    EXPECT_EQ((std::vector<int>{Msg_Gravity, Msg_Panic, Msg_Gravity}), Types(a.m_vReceived));
    EXPECT_EQ(1, a.m_vReceived[2].Sender);
    EXPECT_EQ((std::vector<int>{Msg_Gravity}), Types(b.m_vReceived));
    EXPECT_TRUE(Dispatcher()->GetDelayedTelegrams().empty());
}

ISOLATED_TEST(DispatcherDelayed, SeveralDueTelegramsGoInOnePassEarliestFirst) {
    test_clock::Start();
    Mailbox receiver(0);
    CaptureLog log;
    Dispatcher()->DispatchMessage(3000, 0, 0, Msg_GoodbyeCruelWorld, nullptr);
    Dispatcher()->DispatchMessage(1000, 0, 0, Msg_SpeedUp, nullptr);
    Dispatcher()->DispatchMessage(2000, 0, 0, Msg_NewGame, nullptr);
    Dispatcher()->DispatchMessage(6000, 0, 0, Msg_Reset, nullptr);
    test_clock::AdvanceTo(3001);
    log.Clear();
    Dispatcher()->DispatchDelayedMessages();
    EXPECT_EQ((std::vector<int>{Msg_SpeedUp, Msg_NewGame, Msg_GoodbyeCruelWorld}), Types(receiver.m_vReceived));
    EXPECT_EQ((std::vector<std::string>{"Mailing saved letter now.", "Mailbox 0 got 19", "Mailing saved letter now.",
                                        "Mailbox 0 got 26", "Mailing saved letter now.", "Mailbox 0 got 6"}),
              log.Lines());
    EXPECT_EQ(1u, Dispatcher()->GetDelayedTelegrams().size());
}

ISOLATED_TEST(DispatcherDelayed, AHandlerMayQueueTheSameTelegramAgainButNotForThisPass) {
    test_clock::Start();
    Mailbox receiver(0);
    receiver.m_fnOnMessage = [](const Telegram& msg) {
        Dispatcher()->DispatchMessage(100, msg.Sender, msg.Receiver, msg.Msg, nullptr);
    };
    CaptureLog log;
    Dispatcher()->DispatchMessage(100, 0, 0, Msg_Jump, nullptr);
    test_clock::AdvanceTo(150);
    Dispatcher()->DispatchDelayedMessages();
    EXPECT_EQ(1u, receiver.m_vReceived.size());
    ASSERT_EQ(1u, Dispatcher()->GetDelayedTelegrams().size());
    EXPECT_EQ(250, Dispatcher()->GetDelayedTelegrams().begin()->DispatchTime);

    test_clock::AdvanceTo(251);
    Dispatcher()->DispatchDelayedMessages();
    EXPECT_EQ(2u, receiver.m_vReceived.size());
    EXPECT_EQ(1u, Dispatcher()->GetDelayedTelegrams().size());
}

ISOLATED_TEST(DispatcherDelayed, ADueTimeBeyondTheLargestTickIsHeldThere) {
    test_clock::Start();
    Mailbox receiver(0);
    test_clock::AdvanceTo(10);
    CaptureLog log;
    Dispatcher()->DispatchMessage(INT32_MAX, 0, 0, Msg_Jump, nullptr);
    Dispatcher()->DispatchMessage(50, 0, 0, Msg_Talk, nullptr);
    EXPECT_EQ(INT32_MAX, Dispatcher()->GetDelayedTelegrams().rbegin()->DispatchTime);
    // It waits at the back instead of blocking the queue.
    test_clock::AdvanceTo(61);
    Dispatcher()->DispatchDelayedMessages();
    EXPECT_EQ((std::vector<int>{Msg_Talk}), Types(receiver.m_vReceived));
}

TEST(DispatcherFailures, AnUnregisteredReceiverStopsTheProgramBeforeAnythingIsQueued) {
    EXPECT_DEATH(MessageDispatcher::Instance()->DispatchMessage(0, 0, 424242, Msg_Reset, nullptr),
                 "<EntityManager::GetEntityFromID>: invalid ID");
    EXPECT_DEATH(MessageDispatcher::Instance()->DispatchMessage(500, 0, 424242, Msg_Reset, nullptr),
                 "<EntityManager::GetEntityFromID>: invalid ID");
}

TEST(TelegramOrder, EqualityAndOrderFollowTheSmallestDelay) {
    Telegram t(1000, 1, 2, Msg_Jump);
    EXPECT_TRUE(t == Telegram(1249, 1, 2, Msg_Jump));
    EXPECT_TRUE(t == Telegram(751, 1, 2, Msg_Jump, &t));
    EXPECT_FALSE(t == Telegram(1250, 1, 2, Msg_Jump));
    EXPECT_FALSE(t == Telegram(1000, 2, 2, Msg_Jump));
    EXPECT_FALSE(t == Telegram(1000, 1, 1, Msg_Jump));
    EXPECT_FALSE(t == Telegram(1000, 1, 2, Msg_Talk));
    EXPECT_FALSE(Telegram(INT32_MIN, 1, 2, Msg_Jump) == Telegram(INT32_MAX, 1, 2, Msg_Jump));

    EXPECT_FALSE(t < Telegram(1100, 1, 2, Msg_Jump));  // equal: neither is less
    EXPECT_FALSE(Telegram(1100, 1, 2, Msg_Jump) < t);
    EXPECT_TRUE(t < Telegram(1100, 1, 2, Msg_Talk));
    EXPECT_FALSE(Telegram(1100, 1, 2, Msg_Talk) < t);
    EXPECT_TRUE(Telegram(-5, 1, 2, Msg_Talk) < t);
}
