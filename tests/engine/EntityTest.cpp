// Entity IDs and the entity registry.
#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

#include "Engine/EntityManager.h"
#include "support/CaptureLog.h"
#include "support/Isolation.h"
#include "support/RecordingEntity.h"

ISOLATED_TEST(EntityIds, AreIssuedInAscendingOrderWithACreationLineEach) {
    CaptureLog log;
    RecordingEntity screen(0);
    RecordingEntity fish(1);
    RecordingEntity blender(2);
    EXPECT_EQ((std::vector<std::string>{"Entity created: Assigned ID# 0", "Entity created: Assigned ID# 1",
                                        "Entity created: Assigned ID# 2"}),
              log.Lines());
    EXPECT_EQ(3, BaseGameEntity::NextValidID());
    EXPECT_EQ(1, fish.ID());
}

ISOLATED_TEST(EntityIds, MaySkipNumbers) {
    CaptureLog log;
    RecordingEntity a(2);
    RecordingEntity b(5);
    EXPECT_EQ(6, BaseGameEntity::NextValidID());
    RecordingEntity c(6);
    EXPECT_EQ(6, c.ID());
    EXPECT_EQ("Entity created: Assigned ID# 5", log.Lines()[1]);
}

// The entities of these checks are made inside the dying child only, so the
// IDs of this process stay untouched; the check holds in every build type.
TEST(EntityIds, ASkippedOrRepeatedIdFailsTheCheck) {
    const int n = BaseGameEntity::NextValidID();
    EXPECT_DEATH(
        {
            RecordingEntity a(n + 2);
            RecordingEntity b(n + 5);
            RecordingEntity c(n + 4);
        },
        "<BaseGameEntity::SetID>: invalid ID");
    EXPECT_DEATH(
        {
            RecordingEntity a(n + 2);
            RecordingEntity b(n + 2);
        },
        "<BaseGameEntity::SetID>: invalid ID");
    EXPECT_EQ(n, BaseGameEntity::NextValidID());
}

ISOLATED_TEST(EntityRegistry, MapsIdsToEntitiesAndKeepsTheFirstOfTwoWithOneId) {
    EntityManager* pManager = EntityManager::Instance();
    EXPECT_EQ(pManager, EntityManager::Instance());

    CaptureLog log;
    RecordingEntity a(0);
    RecordingEntity b(1);
    pManager->RegisterEntity(&a);
    pManager->RegisterEntity(&b);
    EXPECT_EQ(&a, pManager->GetEntityFromID(0));
    EXPECT_EQ(&b, pManager->GetEntityFromID(1));

    // A copy carries the ID of its original without passing the ID check.
    RecordingEntity twin(a);
    ASSERT_EQ(0, twin.ID());
    pManager->RegisterEntity(&twin);
    EXPECT_EQ(&a, pManager->GetEntityFromID(0));
    pManager->RegisterEntity(nullptr);
}

TEST(EntityRegistry, RemovedOrUnknownIdsFailTheLookup) {
    const int n = BaseGameEntity::NextValidID();
    EXPECT_DEATH(EntityManager::Instance()->GetEntityFromID(n + 7), "<EntityManager::GetEntityFromID>: invalid ID");
    EXPECT_DEATH(
        {
            RecordingEntity a(n);
            RecordingEntity b(n + 1);
            EntityManager::Instance()->RegisterEntity(&a);
            EntityManager::Instance()->RemoveEntity(&b);  // never registered: nothing changes
            if (EntityManager::Instance()->GetEntityFromID(n) == &a) std::cerr << "still there" << std::endl;
            EntityManager::Instance()->RemoveEntity(&a);
            EntityManager::Instance()->GetEntityFromID(n);
        },
        "still there\n(.|\n)*<EntityManager::GetEntityFromID>: invalid ID");
}
