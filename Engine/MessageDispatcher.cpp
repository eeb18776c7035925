#include "Engine/MessageDispatcher.h"

#include <cstdint>
#include <iostream>

#include "Engine/BaseGameEntity.h"
#include "Engine/EntityManager.h"

MessageDispatcher* MessageDispatcher::Instance() {
    static MessageDispatcher instance;
    return &instance;
}

void MessageDispatcher::Discharge(BaseGameEntity* pReceiver, const Telegram& msg) {
    if (!pReceiver->HandleMessage(msg)) std::cout << "Message not handled" << std::endl;
}

bool MessageDispatcher::IsQueued(const Telegram& telegram) const {
    for (const Telegram& queued : m_DelayedTelegrams)
        if (queued == telegram) return true;
    return false;
}

void MessageDispatcher::DispatchMessage(int delay, int sender, int receiver, int msg, void* ExtraInfo) {
    std::cout << "MessageDispatcher::DispatchMessage - Checking ID & timestamp." << std::endl;
    std::cout << "Delay: " << delay << std::endl;

    BaseGameEntity* pReceiver = EntityManager::Instance()->GetEntityFromID(receiver);
    Telegram telegram(delay, sender, receiver, msg, ExtraInfo);

    if (delay <= 0) {
        std::cout << "Mailing now!" << std::endl;
        Discharge(pReceiver, telegram);
        return;
    }

    int iNow = static_cast<int>(GetTickCount());
    // A due time past the largest tick is held there rather than wrapping to a
    // negative one, which would never be delivered and would block the queue.
    long long llDue = static_cast<long long>(iNow) + delay;
    telegram.DispatchTime = llDue > INT32_MAX ? INT32_MAX : static_cast<int32_t>(llDue);
    std::cout << "Do not open until XMAS. :(" << std::endl;
    std::cout << "Current Ticks: " << iNow << std::endl;
    std::cout << "Dispatch at:   " << telegram.DispatchTime << std::endl;

    // Only a repeat of a queued telegram is refused: other telegrams due at the
    // same tick are kept and delivered in the order they were sent.
    if (!IsQueued(telegram)) m_DelayedTelegrams.insert(telegram);
}

void MessageDispatcher::DispatchDelayedMessages() {
    int iNow = static_cast<int>(GetTickCount());
    while (!m_DelayedTelegrams.empty() && m_DelayedTelegrams.begin()->DispatchTime < iNow &&
           m_DelayedTelegrams.begin()->DispatchTime > 0) {
        std::cout << "Mailing saved letter now." << std::endl;
        const Telegram telegram = *m_DelayedTelegrams.begin();
        BaseGameEntity* pReceiver = EntityManager::Instance()->GetEntityFromID(telegram.Receiver);
        // Off the queue before delivery, so that the handler may queue the same
        // telegram again without it being taken for a repeat of this one.
        m_DelayedTelegrams.erase(m_DelayedTelegrams.begin());
        Discharge(pReceiver, telegram);
    }
}
