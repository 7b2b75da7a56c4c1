// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Wake-ups on the window's thread at the times the session asks for, on
// CLOCK_MONOTONIC: a precise single-shot Qt timer, which is never early.
#pragma once

#include <QTimer>
#include <cstdint>
#include <functional>

namespace brontix::platform::qt {

class WakeTimer {
public:
    // `wake` runs on the thread that made the timer, from its event loop.
    explicit WakeTimer(std::function<void()> wake);

    // One wake-up at `at` (nanoseconds of CLOCK_MONOTONIC), or just after;
    // replaces any wake-up armed before.
    void arm(std::int64_t at);
    void disarm() { timer_.stop(); }

    // CLOCK_MONOTONIC in nanoseconds, the clock the wake-ups are timed on.
    static std::int64_t now();

private:
    QTimer timer_;
};

}  // namespace brontix::platform::qt
