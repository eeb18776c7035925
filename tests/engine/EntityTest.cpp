// Entity IDs and the entity registry. Entities that must fail a check are made
// inside the dying children only, so this process's IDs stay as they are.
#include <gtest/gtest.h>

#include "Engine/EntityManager.h"
#include "support/CaptureLog.h"
#include "support/Isolation.h"
#include "support/RecordingEntity.h"

ISOLATED_TEST(EntityIds, AreIssuedInAscendingOrderAndMaySkipNumbers) {
    CaptureLog log;
    RecordingEntity screen(0), fish(1), blender(2);
    EXPECT_EQ(3, BaseGameEntity::NextValidID());
    RecordingEntity later(5);
    EXPECT_EQ(6, BaseGameEntity::NextValidID());
    EXPECT_EQ((std::vector<std::string>{"Entity created: Assigned ID# 0", "Entity created: Assigned ID# 1",
                                        "Entity created: Assigned ID# 2", "Entity created: Assigned ID# 5"}),
              log.Lines());
}

TEST(EntityIds, ASkippedOrRepeatedIdFailsTheCheckInEveryBuildType) {
    const int n = BaseGameEntity::NextValidID();
    auto create = [](std::vector<int> vIds) {
        for (int id : vIds) delete new RecordingEntity(id);
    };
    EXPECT_DEATH(create({n + 2, n + 5, n + 4}), "<BaseGameEntity::SetID>: invalid ID");
    EXPECT_DEATH(create({n + 2, n + 2}), "<BaseGameEntity::SetID>: invalid ID");
}

TEST(EntityRegistry, KeepsTheFirstOfTwoWithOneIdAndFailsOnUnknownIds) {
    const int n = BaseGameEntity::NextValidID();
    EXPECT_EQ(EntityManager::Instance(), EntityManager::Instance());
    EXPECT_DEATH(EntityManager::Instance()->GetEntityFromID(n), "<EntityManager::GetEntityFromID>: invalid ID");
    EXPECT_DEATH(
        {
            EntityManager* pManager = EntityManager::Instance();
            RecordingEntity a(n);
            RecordingEntity twin(a);  // a copy carries the same ID
            pManager->RegisterEntity(&a);
            pManager->RegisterEntity(&twin);
            if (pManager->GetEntityFromID(n) == &a) std::cerr << "first kept" << std::endl;
            pManager->RemoveEntity(&a);
            pManager->GetEntityFromID(n);
        },
        "first kept\n(.|\n)*<EntityManager::GetEntityFromID>: invalid ID");
}
