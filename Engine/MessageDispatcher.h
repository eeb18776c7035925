// Delivers telegrams between entities, at once or from an ordered queue once
// their due tick has passed.
#pragma once

#include <set>

#include "Engine/Telegram.h"
// Every user of the dispatcher sees the platform names too, so that the
// member DispatchMessage is spelled the same in every translation unit.
#include "Platform/Win32.h"

class BaseGameEntity;

class MessageDispatcher {
private:
    // Ordered by due time; telegrams due at the same tick keep the order they
    // were sent in. Duplicates are refused before they are inserted, so no two
    // queued telegrams are equal and operator< orders them by due time alone.
    std::multiset<Telegram> m_DelayedTelegrams;

    MessageDispatcher() {}
    void Discharge(BaseGameEntity* pReceiver, const Telegram& msg);
    // True when a telegram equal to this one (same sender, receiver and type,
    // due less than SmallestDelay apart) is already waiting.
    bool IsQueued(const Telegram& telegram) const;

public:
    static MessageDispatcher* Instance();

    void DispatchMessage(int delay, int sender, int receiver, int msg, void* ExtraInfo);
    void DispatchDelayedMessages();
    // The delayed telegrams still waiting; for inspection only.
    const std::multiset<Telegram>& GetDelayedTelegrams() const { return m_DelayedTelegrams; }

    MessageDispatcher(const MessageDispatcher&) = delete;
    MessageDispatcher& operator=(const MessageDispatcher&) = delete;
};
