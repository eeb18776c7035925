#include "Engine/Telegram.h"

#include <cstdlib>

#include "Engine/Framework.h"

bool operator==(const Telegram& t1, const Telegram& t2) {
    // The difference is taken in 64 bits so that far-apart due times cannot overflow.
    long long llDiff = std::llabs(static_cast<long long>(t1.DispatchTime) - t2.DispatchTime);
    return static_cast<double>(llDiff) < SmallestDelay && t1.Sender == t2.Sender && t1.Receiver == t2.Receiver &&
           t1.Msg == t2.Msg;
}

bool operator<(const Telegram& t1, const Telegram& t2) {
    if (t1 == t2) return false;
    return t1.DispatchTime < t2.DispatchTime;
}
