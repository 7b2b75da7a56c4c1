// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "session/pacer.h"

namespace brontix::session {

int Pacer::wake() {
    const std::int64_t now = clock_();
    int ran = 0;
    while (nextDue_ <= now && ran < kMaxCatchUp && tick_()) {
        ++ran;
        nextDue_ += kPeriodNs;
    }
    // The clock is read again: a tick that showed a message box may have
    // taken minutes, and none of that is owed.
    const std::int64_t after = clock_();
    if (nextDue_ <= after) nextDue_ = after + kPeriodNs;
    return ran;
}

}  // namespace brontix::session
