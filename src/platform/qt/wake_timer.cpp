// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/qt/wake_timer.h"

#include <algorithm>
#include <ctime>

namespace brontix::platform::qt {

std::int64_t WakeTimer::now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

WakeTimer::WakeTimer(std::function<void()> wake) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, std::move(wake));
}

void WakeTimer::arm(std::int64_t at) {
    // Qt times in whole milliseconds; rounding up keeps a wake-up from
    // coming before its time (the pace does not drift: it counts on the
    // clock, not on the wake-ups).
    constexpr std::int64_t kNsPerMs = 1'000'000;
    const std::int64_t ms = std::max<std::int64_t>(0, (at - now() + kNsPerMs - 1) / kNsPerMs);
    timer_.start(static_cast<int>(std::min<std::int64_t>(ms, 1'000'000)));
}

}  // namespace brontix::platform::qt
