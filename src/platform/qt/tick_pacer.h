// Delivers Timer1's expiries on the window's thread at the game's pace, and
// sleeps while the timer is off.
#pragma once

#include <cstdint>
#include <functional>

#include "pace/pacer.h"
#include "platform/qt/wake_timer.h"

namespace brontix::platform::qt {

class TickPacer {
public:
    // While the ticks change nothing on screen (a ball resting on the
    // paddle), one wake-up every three ticks shows the same frame at a
    // third of the wake-ups; the ticks still run, 64 a second.
    static constexpr int kStillTicksPerWake = 3;

    // `enabled` is Timer1.Enabled; `tick` delivers one expiry and says
    // whether a tick ran; `frame` shows what the ticks of a wake-up changed
    // and says whether anything did; `clock` is CLOCK_MONOTONIC in
    // nanoseconds, which the wake-ups are timed on (tests fake it).
    TickPacer(std::function<bool()> enabled, std::function<bool()> tick,
              std::function<bool()> frame, pace::Pacer::Clock clock = &WakeTimer::now);

    // Starts pacing, as the window's event loop begins.
    void start();
    // After any handler: a timer that a handler switched on wakes the pacer
    // (the first tick a period later); one switched off is left to sleep.
    void resume();
    void stop() { arm(false); }
    // Asleep: no wake-ups at all while Timer1 is off.
    bool sleeping() const { return !timer_.armed(); }
    // Waking every three ticks, as the screen stands still.
    bool still() const { return still_; }

    // One wake-up: runs the ticks due and shows them, then sleeps if the
    // timer went off.
    void wake();

    long long ticksRun() const { return pacer_.ticksRun(); }
    long long expiriesHeldBack() const { return pacer_.expiriesHeldBack(); }

private:
    // Wake-ups fall exactly when ticks fall due, so none finds nothing to do
    // and none is early: a periodic timer, armed again only when the pace
    // changes (asleep, still, moving, or a backlog dropped).
    void arm(bool on);

    std::function<bool()> enabled_;
    std::function<bool()> frame_;
    pace::Pacer pacer_;
    WakeTimer timer_;
    bool still_ = false;
    std::int64_t armedAt_ = 0;  // the first wake-up of the armed pace
};

}  // namespace brontix::platform::qt
