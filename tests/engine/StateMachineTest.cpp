// The state machine: order of the global and current state, message routing,
// and changes made from inside a state.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Engine/StateMachine.h"
#include "Engine/Telegram.h"
#include "support/CaptureLog.h"

namespace {

struct Owner;

// A state that writes what happens to it into its owner's journal.
class JournalState : public State<Owner> {
public:
    JournalState(const std::string& strName, bool bAccept) : m_strName(strName), m_bAccept(bAccept) {}
    void Enter(Owner* pOwner) override;
    void Execute(Owner* pOwner) override;
    void Exit(Owner* pOwner) override;
    bool OnMessage(Owner* pOwner, const Telegram& msg) override;

    std::function<void(Owner*)> m_fnOnExecute;
    std::function<void(Owner*)> m_fnOnEnter;
    std::function<void(Owner*)> m_fnOnMessage;

private:
    std::string m_strName;
    bool m_bAccept;
};

struct Owner {
    Owner() : fsm(this) {}
    std::vector<std::string> vJournal;
    StateMachine<Owner> fsm;
};

void JournalState::Enter(Owner* pOwner) {
    pOwner->vJournal.push_back(m_strName + ".Enter");
    if (m_fnOnEnter) m_fnOnEnter(pOwner);
}
void JournalState::Execute(Owner* pOwner) {
    pOwner->vJournal.push_back(m_strName + ".Execute");
    if (m_fnOnExecute) m_fnOnExecute(pOwner);
}
void JournalState::Exit(Owner* pOwner) { pOwner->vJournal.push_back(m_strName + ".Exit"); }
bool JournalState::OnMessage(Owner* pOwner, const Telegram& msg) {
    pOwner->vJournal.push_back(m_strName + ".OnMessage " + std::to_string(msg.Msg));
    if (m_fnOnMessage) m_fnOnMessage(pOwner);
    return m_bAccept;
}

const std::string strRouting = "StateMachine::HandleMessage - Routing telegram to m_pCurrentState::OnMessage.";

}  // namespace

TEST(StateMachineUpdate, RunsTheGlobalStateBeforeTheCurrentOne) {
    Owner owner;
    owner.fsm.Update();
    EXPECT_TRUE(owner.vJournal.empty());

    JournalState global("Global", false), current("Current", false), next("Next", false);
    owner.fsm.SetGlobalState(&global);
    owner.fsm.SetCurrentState(&current);
    owner.fsm.Update();
    EXPECT_EQ((std::vector<std::string>{"Global.Execute", "Current.Execute"}), owner.vJournal);

    // A change made by the global state's Execute is the one whose Execute follows.
    owner.vJournal.clear();
    global.m_fnOnExecute = [&](Owner* p) { p->fsm.ChangeState(&next); };
    owner.fsm.Update();
    EXPECT_EQ((std::vector<std::string>{"Global.Execute", "Current.Exit", "Next.Enter", "Next.Execute"}),
              owner.vJournal);
    EXPECT_EQ(&current, owner.fsm.PreviousState());
}

TEST(StateMachineChange, ExitsThenEntersEvenWhenTheStateStaysTheSame) {
    Owner owner;
    JournalState a("A", false);
    owner.fsm.SetCurrentState(&a);
    EXPECT_TRUE(owner.vJournal.empty());  // setting runs neither Enter nor Exit
    EXPECT_EQ(nullptr, owner.fsm.PreviousState());

    owner.fsm.ChangeState(&a);
    EXPECT_EQ((std::vector<std::string>{"A.Exit", "A.Enter"}), owner.vJournal);
    EXPECT_EQ(&a, owner.fsm.CurrentState());
    EXPECT_EQ(&a, owner.fsm.PreviousState());
}

TEST(StateMachineChange, ATelegramSentFromEnterReachesTheNewState) {
    CaptureLog log;
    Owner owner;
    JournalState a("A", true), b("B", true);
    owner.fsm.SetCurrentState(&a);
    b.m_fnOnEnter = [](Owner* p) { p->fsm.HandleMessage(Telegram(0, 0, 0, 7)); };
    owner.fsm.ChangeState(&b);
    EXPECT_EQ((std::vector<std::string>{"A.Exit", "B.Enter", "B.OnMessage 7"}), owner.vJournal);
}

TEST(StateMachineChange, AMachineWithoutACurrentStateOnlyEntersTheNewOne) {
    Owner owner;
    JournalState a("A", false);
    owner.fsm.ChangeState(&a);
    EXPECT_EQ((std::vector<std::string>{"A.Enter"}), owner.vJournal);
    EXPECT_EQ(&a, owner.fsm.CurrentState());
}

TEST(StateMachineMessages, TheCurrentStateHasTheFirstSay) {
    CaptureLog log;
    Owner owner;
    EXPECT_FALSE(owner.fsm.HandleMessage(Telegram(0, 0, 0, 1)));
    EXPECT_EQ((std::vector<std::string>{strRouting}), log.Lines());

    JournalState accepting("Current", true), global("Global", true);
    owner.fsm.SetGlobalState(&global);
    owner.fsm.SetCurrentState(&accepting);
    EXPECT_TRUE(owner.fsm.HandleMessage(Telegram(0, 0, 0, 2)));
    EXPECT_EQ((std::vector<std::string>{"Current.OnMessage 2"}), owner.vJournal);

    JournalState declining("Declining", false);
    owner.fsm.SetCurrentState(&declining);
    owner.vJournal.clear();
    EXPECT_TRUE(owner.fsm.HandleMessage(Telegram(0, 0, 0, 3)));
    EXPECT_EQ((std::vector<std::string>{"Declining.OnMessage 3", "Global.OnMessage 3"}), owner.vJournal);

    JournalState decliningGlobal("DecliningGlobal", false);
    owner.fsm.SetGlobalState(&decliningGlobal);
    EXPECT_FALSE(owner.fsm.HandleMessage(Telegram(0, 0, 0, 4)));
    EXPECT_EQ(4u, log.Lines().size());  // one routing line per telegram
}

TEST(StateMachineMessages, AStateMayChangeStateWhileHandlingATelegram) {
    CaptureLog log;
    Owner owner;
    JournalState a("A", true), b("B", false);
    owner.fsm.SetCurrentState(&a);
    a.m_fnOnMessage = [&](Owner* p) { p->fsm.ChangeState(&b); };
    EXPECT_TRUE(owner.fsm.HandleMessage(Telegram(0, 0, 0, 5)));
    EXPECT_EQ((std::vector<std::string>{"A.OnMessage 5", "A.Exit", "B.Enter"}), owner.vJournal);
    EXPECT_EQ(&b, owner.fsm.CurrentState());
}
