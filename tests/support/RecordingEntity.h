// A stand-in entity that records the telegrams it receives, for testing one
// entity without the others.
#pragma once

#include <vector>

#include "Engine/BaseGameEntity.h"
#include "Engine/Telegram.h"

class RecordingEntity : public BaseGameEntity {
public:
    explicit RecordingEntity(int id, bool bAccept = true) : BaseGameEntity(id), m_bAccept(bAccept) {}
    void Update() override { ++m_iUpdates; }
    bool HandleMessage(const Telegram& msg) override {
        m_vReceived.push_back(msg.Msg);
        return m_bAccept;
    }
    std::vector<int> m_vReceived;
    int m_iUpdates = 0;
    bool m_bAccept;
};
