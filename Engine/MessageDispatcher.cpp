#include "Engine/MessageDispatcher.h"

#include <iostream>
#include <iterator>

#include "Engine/BaseGameEntity.h"
#include "Engine/EntityManager.h"
#include "Engine/Framework.h"

MessageDispatcher* MessageDispatcher::Instance() {
    static MessageDispatcher instance;
    return &instance;
}

int64_t MessageDispatcher::Now() {
    const uint32_t dwTick = static_cast<uint32_t>(GetTickCount());
    // The count read every frame: a smaller value than the last one means it wrapped.
    if (dwTick < m_dwLastTick) m_llWrapBase += int64_t{1} << 32;
    m_dwLastTick = dwTick;
    return m_llWrapBase + dwTick;
}

void MessageDispatcher::Discharge(BaseGameEntity* pReceiver, const Telegram& msg) {
    if (!pReceiver->HandleMessage(msg)) std::cout << "Message not handled" << std::endl;
}

bool MessageDispatcher::IsRepeat(const QueuedTelegram& a, const QueuedTelegram& b) {
    const int64_t llApart = a.llDue > b.llDue ? a.llDue - b.llDue : b.llDue - a.llDue;
    return static_cast<double>(llApart) < SmallestDelay && a.telegram.Sender == b.telegram.Sender &&
           a.telegram.Receiver == b.telegram.Receiver && a.telegram.Msg == b.telegram.Msg;
}

void MessageDispatcher::Enqueue(const QueuedTelegram& queued) {
    // Behind every telegram due at or before it, so that telegrams due at the
    // same tick are all kept, in the order they were sent. A repeat is refused
    // only when it is the neighbour on either side of that place: a telegram
    // of another kind queued between the two keeps both.
    const auto itAfter = m_Queue.upper_bound(queued);
    if (itAfter != m_Queue.end() && IsRepeat(*itAfter, queued)) return;
    if (itAfter != m_Queue.begin() && IsRepeat(*std::prev(itAfter), queued)) return;
    m_Queue.insert(itAfter, queued);
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

    const int64_t llNow = Now();
    const QueuedTelegram queued = {llNow + delay, telegram};
    // The log and the telegram show the due tick as the 32-bit tick count will read then.
    const uint32_t dwNow = static_cast<uint32_t>(llNow);
    const uint32_t dwDue = static_cast<uint32_t>(queued.llDue);
    std::cout << "Do not open until XMAS. :(" << std::endl;
    std::cout << "Current Ticks: " << dwNow << std::endl;
    std::cout << "Dispatch at:   " << dwDue << std::endl;

    QueuedTelegram stamped = queued;
    stamped.telegram.DispatchTime = static_cast<int32_t>(dwDue);
    m_iLastDueTick = stamped.telegram.DispatchTime;
    Enqueue(stamped);
}

void MessageDispatcher::DispatchDelayedMessages() {
    const int64_t llNow = Now();
    while (!m_Queue.empty() && m_Queue.begin()->llDue < llNow) {
        std::cout << "Mailing saved letter now." << std::endl;
        const Telegram telegram = m_Queue.begin()->telegram;
        BaseGameEntity* pReceiver = EntityManager::Instance()->GetEntityFromID(telegram.Receiver);
        // Off the queue before delivery, so that the handler may queue the same
        // telegram again without it being taken for a repeat of this one.
        m_Queue.erase(m_Queue.begin());
        Discharge(pReceiver, telegram);
    }
}
