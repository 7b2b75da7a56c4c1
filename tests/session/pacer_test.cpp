// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "session/pacer.h"

namespace brontix::session {
namespace {

constexpr std::int64_t kPeriod = Pacer::kPeriodNs;

// A pacer on a clock the test sets; a tick may refuse to run (the timer is
// off).
struct Paced {
    std::int64_t now = 0;
    int ticks = 0;
    bool enabled = true;
    Pacer pacer{[this] { return now; },
                [this] {
                    if (!enabled) return false;
                    ++ticks;
                    return true;
                }};
};

TEST(Pacer, TicksFallDueEveryPeriodFromTheStart) {
    Paced p;
    p.now = 1000;
    p.pacer.restart();
    p.now = 1000 + kPeriod - 1;
    EXPECT_EQ(p.pacer.wake(), 0);
    p.now = 1000 + kPeriod;
    EXPECT_EQ(p.pacer.wake(), 1);
    // A wake-up that comes 1 ms late still keeps the schedule.
    p.now = 1000 + 2 * kPeriod + 1'000'000;
    EXPECT_EQ(p.pacer.wake(), 1);
    EXPECT_EQ(p.pacer.nextDue(), 1000 + 3 * kPeriod);
    // 64 ticks in one second of wake-ups every 15 ms.
    p.ticks = 0;
    const std::int64_t from = p.pacer.nextDue();
    for (std::int64_t ms = 0; ms < 1000; ms += 15) {
        p.now = from + ms * 1'000'000;
        p.pacer.wake();
    }
    EXPECT_EQ(p.ticks, 64);
}

TEST(Pacer, AStallRunsAtMostThreeTicksAndOwesNothingMore) {
    Paced p;
    p.pacer.restart();
    p.now = 1'000'000'000;  // 63 ticks owed
    EXPECT_EQ(p.pacer.wake(), Pacer::kMaxCatchUp);
    EXPECT_EQ(p.pacer.nextDue(), p.now + kPeriod);
    EXPECT_EQ(p.pacer.wake(), 0);
}

TEST(Pacer, AnOffTimerEndsTheBatchAndItsTimeIsNotOwed) {
    Paced p;
    p.pacer.restart();
    p.enabled = false;
    p.now = 10 * kPeriod;
    EXPECT_EQ(p.pacer.wake(), 0);
    p.enabled = true;
    p.pacer.restart();  // a handler switched the timer back on
    EXPECT_EQ(p.pacer.wake(), 0);
    p.now += kPeriod;
    EXPECT_EQ(p.pacer.wake(), 1);
}

}  // namespace
}  // namespace brontix::session
