#include "pace/pacer.h"

namespace brontix::pace {

int Pacer::wake() {
    if (inTick_) {
        ++heldBack_;
        return 0;
    }
    const std::int64_t now = clock_();
    int ran = 0;
    while (nextDue_ <= now && ran < kMaxCatchUp) {
        inTick_ = true;
        const bool ticked = tick_();
        inTick_ = false;
        if (!ticked) break;
        ++ran;
        nextDue_ += kPeriodNs;
    }
    ticks_ += ran;
    // The clock is read again: a tick that showed a message box may have
    // taken minutes, and none of that is owed.
    const std::int64_t after = clock_();
    if (nextDue_ <= after) nextDue_ = after + kPeriodNs;
    return ran;
}

}  // namespace brontix::pace
