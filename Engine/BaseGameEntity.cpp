// The ID check must hold in every build type, release builds included.
#undef NDEBUG
#include <cassert>

#include "Engine/BaseGameEntity.h"

#include <iostream>

int BaseGameEntity::m_iNextValidID = 0;

BaseGameEntity::BaseGameEntity(int id) {
    SetID(id);
    std::cout << "Entity created: Assigned ID# " << m_ID << std::endl;
}

void BaseGameEntity::SetID(int val) {
    assert((val >= m_iNextValidID) && "<BaseGameEntity::SetID>: invalid ID");
    m_ID = val;
    m_iNextValidID = m_ID + 1;
}
