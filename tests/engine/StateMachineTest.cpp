// The state machine: order of the global and current state, routing of
// telegrams, and changes made from inside a state.
#include <gtest/gtest.h>

#include <functional>

#include "Engine/StateMachine.h"
#include "support/CaptureLog.h"

namespace {

struct Owner;
typedef std::vector<std::string> Journal;

// Writes what happens to it into its owner's journal; m_fnOn runs on the event m_strOn.
struct JournalState : State<Owner> {
    JournalState(const char* szName, bool bAccept) : m_strName(szName), m_bAccept(bAccept) {}
    void Note(Owner* p, const std::string& strEvent);
    void Enter(Owner* p) override { Note(p, "Enter"); }
    void Execute(Owner* p) override { Note(p, "Execute"); }
    void Exit(Owner* p) override { Note(p, "Exit"); }
    bool OnMessage(Owner* p, const Telegram& msg) override {
        Note(p, "OnMessage" + std::to_string(msg.Msg));
        return m_bAccept;
    }
    std::string m_strName, m_strOn;
    bool m_bAccept;
    std::function<void(Owner*)> m_fnOn;
};

struct Owner {
    Journal vJournal;
    StateMachine<Owner> fsm{this};
};

void JournalState::Note(Owner* p, const std::string& strEvent) {
    p->vJournal.push_back(m_strName + "." + strEvent);
    if (m_fnOn && m_strOn == strEvent) m_fnOn(p);
}

}  // namespace

TEST(StateMachine, UpdateRunsTheGlobalStateFirstAndChangesExitThenEnter) {
    Owner owner;
    JournalState global("Global", false), current("Current", false), next("Next", false);
    owner.fsm.Update();
    owner.fsm.SetGlobalState(&global);
    owner.fsm.SetCurrentState(&current);  // runs no Enter
    owner.fsm.Update();
    // A change made by the global state's Execute decides whose Execute follows.
    global.m_strOn = "Execute";
    global.m_fnOn = [&](Owner* p) { p->fsm.ChangeState(&next); };
    owner.fsm.Update();
    global.m_fnOn = nullptr;
    owner.fsm.ChangeState(&next);  // to the current state itself
    EXPECT_EQ((Journal{"Global.Execute", "Current.Execute", "Global.Execute", "Current.Exit", "Next.Enter",
                       "Next.Execute", "Next.Exit", "Next.Enter"}),
              owner.vJournal);
    EXPECT_EQ(&next, owner.fsm.CurrentState());
    EXPECT_EQ(&next, owner.fsm.PreviousState());
}

TEST(StateMachine, TheCurrentStateHasTheFirstSayAndTheGlobalStateTheSecond) {
    CaptureLog log;
    Owner owner;
    EXPECT_FALSE(owner.fsm.HandleMessage(Telegram(0, 0, 0, 1)));
    JournalState current("Current", true), declining("Declining", false), global("Global", true);
    owner.fsm.SetGlobalState(&global);
    owner.fsm.SetCurrentState(&current);
    EXPECT_TRUE(owner.fsm.HandleMessage(Telegram(0, 0, 0, 2)));
    owner.fsm.SetCurrentState(&declining);
    EXPECT_TRUE(owner.fsm.HandleMessage(Telegram(0, 0, 0, 3)));
    global.m_bAccept = false;
    EXPECT_FALSE(owner.fsm.HandleMessage(Telegram(0, 0, 0, 4)));
    EXPECT_EQ((Journal{"Current.OnMessage2", "Declining.OnMessage3", "Global.OnMessage3", "Declining.OnMessage4",
                       "Global.OnMessage4"}),
              owner.vJournal);
    EXPECT_EQ(Journal(4, "StateMachine::HandleMessage - Routing telegram to m_pCurrentState::OnMessage."),
              log.Lines());
}

TEST(StateMachine, AStateMayChangeStateWhileHandlingAndEnterRoutesToTheNewState) {
    CaptureLog log;
    Owner owner;
    JournalState a("A", true), b("B", false), global("Global", true);
    owner.fsm.SetGlobalState(&global);
    owner.fsm.SetCurrentState(&a);
    a.m_strOn = "OnMessage5";
    a.m_fnOn = [&](Owner* p) { p->fsm.ChangeState(&b); };
    b.m_strOn = "Enter";
    b.m_fnOn = [](Owner* p) { p->fsm.HandleMessage(Telegram(0, 0, 0, 6)); };
    EXPECT_TRUE(owner.fsm.HandleMessage(Telegram(0, 0, 0, 5)));
    EXPECT_EQ((Journal{"A.OnMessage5", "A.Exit", "B.Enter", "B.OnMessage6", "Global.OnMessage6"}), owner.vJournal);
}
