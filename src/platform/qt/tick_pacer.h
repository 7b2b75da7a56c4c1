// Delivers Timer1's expiries on the window's thread at the game's pace, and
// sleeps while the timer is off.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "pace/pacer.h"

namespace brontix::platform::qt {

class TickPacer : public QObject {
    Q_OBJECT

public:
    // A periodic wake-up a little shorter than the tick period: it finds a
    // tick due on almost every wake, and needs no timer re-armed per tick.
    static constexpr int kWakeMs = 15;

    // `enabled` is Timer1.Enabled; `tick` delivers one expiry and says
    // whether a tick ran; `clock` is monotonic nanoseconds (tests fake it).
    TickPacer(std::function<bool()> enabled, std::function<bool()> tick,
              pace::Pacer::Clock clock = monotonicClock(), QObject* parent = nullptr);

    // Starts pacing, as the window's event loop begins.
    void start();
    // After any handler: a timer that a handler switched on wakes the pacer
    // (the first tick a period later); one switched off is left to sleep.
    void resume();
    void stop() { timer_.stop(); }
    // Asleep: no wake-ups at all while Timer1 is off.
    bool sleeping() const { return !timer_.isActive(); }

    // One wake-up: runs the ticks due, then sleeps if the timer went off.
    void wake();

    long long ticksRun() const { return pacer_.ticksRun(); }
    long long expiriesHeldBack() const { return pacer_.expiriesHeldBack(); }

    static pace::Pacer::Clock monotonicClock();

private:
    std::function<bool()> enabled_;
    pace::Pacer pacer_;
    QTimer timer_;
};

}  // namespace brontix::platform::qt
