// The lookup check must hold in every build type, release builds included.
#undef NDEBUG
#include <cassert>

#include "Engine/EntityManager.h"

#include "Engine/BaseGameEntity.h"

EntityManager* EntityManager::Instance() {
    static EntityManager instance;
    return &instance;
}

void EntityManager::RegisterEntity(BaseGameEntity* NewEntity) {
    if (!NewEntity) return;
    // An ID already present keeps its first entity.
    m_EntityMap.insert(std::make_pair(NewEntity->ID(), NewEntity));
}

BaseGameEntity* EntityManager::GetEntityFromID(int id) const {
    std::map<int, BaseGameEntity*>::const_iterator ent = m_EntityMap.find(id);
    assert((ent != m_EntityMap.end()) && "<EntityManager::GetEntityFromID>: invalid ID");
    return ent->second;
}

void EntityManager::RemoveEntity(BaseGameEntity* pEntity) {
    if (!pEntity) return;
    m_EntityMap.erase(pEntity->ID());
}
