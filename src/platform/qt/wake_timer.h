// Periodic wake-ups on the window's thread at exact times of CLOCK_MONOTONIC.
#pragma once

#include <cstdint>
#include <functional>

class QSocketNotifier;
struct _GSource;

namespace brontix::platform::qt {

class WakeTimer {
public:
    // `wake` runs on the thread that made the timer, from its event loop.
    explicit WakeTimer(std::function<void()> wake);
    ~WakeTimer();
    WakeTimer(const WakeTimer&) = delete;
    WakeTimer& operator=(const WakeTimer&) = delete;

    // Wakes at `first`, then every `interval` (nanoseconds of
    // CLOCK_MONOTONIC), never early, until armed again or disarmed. A
    // wake-up that comes late does not move the ones after it; those missed
    // meanwhile come as one.
    void arm(std::int64_t first, std::int64_t interval);
    void disarm();
    bool armed() const { return armed_; }

    // CLOCK_MONOTONIC in nanoseconds, the clock the wake-ups are timed on.
    static std::int64_t now();

    // Whether the wake-ups are a source of glib's main loop, which Qt's
    // event loop runs on most desktops.
    bool inGlibLoop() const { return source_ != nullptr; }

    // On glib's loop, consecutive wake-ups run inside one pass of the loop
    // while nothing else in it is due, at most this many: a Qt timer that a
    // wake-up itself starts is unknown to the pass and waits this long.
    static constexpr int kWakesPerPass = 8;

private:
    friend struct GlibWake;
    // A wake-up at time `t`.
    void fire(std::int64_t t);

    std::function<void()> wake_;
    // Where Qt's loop is glib's, a source of its own: glib's poll sleeps
    // until the wake-up without a file to read or an event for Qt to
    // deliver, and the wake-ups that follow wait in the same pass, which
    // spares the loop's round of every other source each frame. Elsewhere
    // (QT_NO_GLIB) a timerfd watched by a socket notifier.
    _GSource* source_ = nullptr;
    int timerFd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    bool armed_ = false;
    std::int64_t next_ = 0;
    std::int64_t interval_ = 0;
};

}  // namespace brontix::platform::qt
