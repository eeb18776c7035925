// A message between entities, delivered at once or when its due tick has passed.
#pragma once

#include <cstdint>

struct Telegram {
    int32_t DispatchTime;  // the delay asked for, or (delayed) the tick it falls due
    int32_t Sender;
    int32_t Receiver;
    int32_t Msg;
    void* ExtraInfo;

    Telegram(int32_t time, int32_t sender, int32_t receiver, int32_t msg, void* info = nullptr)
        : DispatchTime(time), Sender(sender), Receiver(receiver), Msg(msg), ExtraInfo(info) {}
};

// Same sender, receiver and type, due less than SmallestDelay apart.
bool operator==(const Telegram& t1, const Telegram& t2);
bool operator<(const Telegram& t1, const Telegram& t2);
