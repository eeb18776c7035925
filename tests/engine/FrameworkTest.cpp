// The agent framework's rules that no whole game can break: ascending entity
// IDs, the registry's first entry, and the order in which a state machine asks
// its states.
#include <gtest/gtest.h>

#include "Engine/BaseGameEntity.h"
#include "Engine/EntityManager.h"
#include "Engine/StateMachine.h"
#include "support/CaptureLog.h"
#include "support/Isolation.h"

namespace {

struct Entity : BaseGameEntity {
    explicit Entity(int id) : BaseGameEntity(id) {}
    void Update() override {}
    bool HandleMessage(const Telegram&) override { return true; }
};

void Create(const std::vector<int>& vIds) {
    for (int id : vIds) Entity entity(id);
}

}  // namespace

ISOLATED_TEST(EntityIds, AscendSkippedNumbersAreGoneForGoodAndTheRegistryKeepsTheFirstOfAnId) {
    CaptureLog log;
    Create({0, 1, 2, 5});
    EXPECT_EQ(6, BaseGameEntity::NextValidID());
    EXPECT_DEATH(Create({6, 6}), "<BaseGameEntity::SetID>: invalid ID");
    EXPECT_DEATH(Create({8, 7}), "<BaseGameEntity::SetID>: invalid ID");
    Entity first(6), twin(first);  // a copy carries the same ID
    EntityManager::Instance()->RegisterEntity(&first);
    EntityManager::Instance()->RegisterEntity(&twin);
    EXPECT_EQ(&first, EntityManager::Instance()->GetEntityFromID(6));
}

namespace {

struct Owner {
    std::string strJournal;
    StateMachine<Owner> fsm{this};
};

// Notes each call in its owner's journal; accepts telegrams or not.
struct Noting : State<Owner> {
    Noting(const char* szName, bool bAccept) : m_strName(szName), m_bAccept(bAccept) {}
    void Note(Owner* p, const std::string& strCall) { p->strJournal += m_strName + "." + strCall + " "; }
    void Enter(Owner* p) override { Note(p, "Enter"); }
    void Execute(Owner* p) override { Note(p, "Execute"); }
    void Exit(Owner* p) override { Note(p, "Exit"); }
    bool OnMessage(Owner* p, const Telegram& msg) override {
        Note(p, "OnMessage" + std::to_string(msg.Msg));
        return m_bAccept;
    }
    std::string m_strName;
    bool m_bAccept;
};

}  // namespace

TEST(StateMachine, AsksTheGlobalStateFirstOnUpdateAndTheCurrentStateFirstOnATelegram) {
    CaptureLog log;
    Owner owner;
    Noting global("G", true), a("A", true), b("B", false);
    owner.fsm.Update();
    EXPECT_FALSE(owner.fsm.HandleMessage(Telegram(0, 0, 0, 1)));
    owner.fsm.ChangeState(&a);  // nothing to exit
    owner.fsm.SetGlobalState(&global);
    owner.fsm.Update();
    EXPECT_TRUE(owner.fsm.HandleMessage(Telegram(0, 0, 0, 2)));
    owner.fsm.ChangeState(&b);
    EXPECT_EQ(&a, owner.fsm.PreviousState());
    EXPECT_TRUE(owner.fsm.HandleMessage(Telegram(0, 0, 0, 3)));
    global.m_bAccept = false;
    EXPECT_FALSE(owner.fsm.HandleMessage(Telegram(0, 0, 0, 4)));
    owner.fsm.ChangeState(&b);  // to the current state itself
    EXPECT_EQ(&b, owner.fsm.CurrentState());
    EXPECT_EQ(&b, owner.fsm.PreviousState());
    EXPECT_EQ("A.Enter G.Execute A.Execute A.OnMessage2 A.Exit B.Enter B.OnMessage3 G.OnMessage3 B.OnMessage4 "
              "G.OnMessage4 B.Exit B.Enter ",
              owner.strJournal);
}
