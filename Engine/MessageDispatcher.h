// Delivers telegrams between entities, at once or from an ordered queue once
// their due tick has passed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>

#include "Engine/Telegram.h"
// Every user of the dispatcher sees the platform names too, so that the
// member DispatchMessage is spelled the same in every translation unit.
#include "Platform/Win32.h"

class BaseGameEntity;

class MessageDispatcher {
private:
    // A delayed telegram with its due time on the dispatcher's own clock.
    // The telegram's DispatchTime holds the same due time as the 32-bit tick
    // count shows it.
    struct QueuedTelegram {
        int64_t llDue;
        Telegram telegram;
    };
    struct EarlierDue {
        bool operator()(const QueuedTelegram& a, const QueuedTelegram& b) const { return a.llDue < b.llDue; }
    };

    // Ordered by due time; telegrams due at the same tick keep the order they
    // were sent in. Repeats are refused before they are inserted.
    std::multiset<QueuedTelegram, EarlierDue> m_Queue;

    // The platform's tick count is 32 bits wide and wraps after 49.7 days (and
    // read as a signed number turns negative after 24.8); the dispatcher counts
    // its wraps, so that its own clock goes on rising however long the game runs.
    uint32_t m_dwLastTick;
    int64_t m_llWrapBase;
    // The due tick stamped on the last delayed telegram, kept or refused.
    int32_t m_iLastDueTick;

    MessageDispatcher() : m_dwLastTick(0), m_llWrapBase(0), m_iLastDueTick(0) {}
    void Discharge(BaseGameEntity* pReceiver, const Telegram& msg);
    // Same sender, receiver and type, due less than SmallestDelay apart.
    static bool IsRepeat(const QueuedTelegram& a, const QueuedTelegram& b);
    void Enqueue(const QueuedTelegram& queued);

public:
    static MessageDispatcher* Instance();

    void DispatchMessage(int delay, int sender, int receiver, int msg, void* ExtraInfo);
    void DispatchDelayedMessages();

    // The tick count widened to 64 bits: milliseconds on the dispatcher's
    // clock, never going back. Reads the platform's tick count.
    int64_t Now();

    // The DispatchTime stamped on the last delayed telegram sent, whether the
    // queue kept it or refused it as a repeat.
    int32_t LastDueTick() const { return m_iLastDueTick; }

    size_t QueueLength() const { return m_Queue.size(); }

    MessageDispatcher(const MessageDispatcher&) = delete;
    MessageDispatcher& operator=(const MessageDispatcher&) = delete;
};
