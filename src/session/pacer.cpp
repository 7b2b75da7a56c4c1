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
    // What the cap left owed is dropped.
    if (nextDue_ <= now) nextDue_ = now + kPeriodNs;
    return ran;
}

}  // namespace brontix::session
