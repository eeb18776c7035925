// Process-wide registry that maps entity IDs to entities.
#pragma once

#include <map>

class BaseGameEntity;

class EntityManager {
private:
    std::map<int, BaseGameEntity*> m_EntityMap;

    EntityManager() {}

public:
    static EntityManager* Instance();

    void RegisterEntity(BaseGameEntity* NewEntity);
    BaseGameEntity* GetEntityFromID(int id) const;
    void RemoveEntity(BaseGameEntity* pEntity);

    EntityManager(const EntityManager&) = delete;
    EntityManager& operator=(const EntityManager&) = delete;
};
