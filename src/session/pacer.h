// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The pace of Timer1's expiries on a real clock: ticks fall due kTicksPerSecond
// times a second on a monotonic clock; a wake-up runs those that are due, a few at
// most; what is still owed afterwards (a stall, time spent switched off or
// under the game's box) is dropped rather than caught up.
#pragma once

#include <cstdint>
#include <functional>

#include "scene/scene.h"

namespace brontix::session {

class Pacer {
public:
    static constexpr std::int64_t kPeriodNs = 1'000'000'000 / scene::kTicksPerSecond;
    static_assert(kPeriodNs * scene::kTicksPerSecond == 1'000'000'000, "a whole period");
    // After a stall at most this many ticks run at once, so a stall never
    // turns into a burst.
    static constexpr int kMaxCatchUp = 3;

    using Clock = std::function<std::int64_t()>;  // monotonic, nanoseconds
    using Tick = std::function<bool()>;           // one expiry; false when no tick ran

    Pacer(Clock clock, Tick tick) : clock_(std::move(clock)), tick_(std::move(tick)) {}

    // The first tick falls due one period from now (at the start, and when
    // the timer comes back on: time spent off is not owed).
    void restart() { nextDue_ = clock_() + kPeriodNs; }

    // Runs the ticks due now; returns how many ran.
    int wake();

    std::int64_t nextDue() const { return nextDue_; }

private:
    Clock clock_;
    Tick tick_;
    std::int64_t nextDue_ = kPeriodNs;
};

}  // namespace brontix::session
