// Delivers Timer1's expiries on the window's thread at a steady pace.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

namespace brontix::platform::qt {

class TickPacer : public QObject {
    Q_OBJECT

public:
    // Timer1 asks for 1 ms, but every speed in the game is per tick and was
    // tuned on desktops whose timers delivered about 64 expiries a second;
    // at a true 1 ms a ball would cross the field in a fifth of a second.
    // So expiries come 15.625 ms apart on average, measured on a monotonic
    // clock.
    static constexpr qint64 kPeriodNs = 15'625'000;
    // After a stall, at most this many ticks run at once to catch up.
    static constexpr int kMaxCatchUp = 3;

    TickPacer(std::function<bool()> enabled, std::function<void()> tick,
              QObject* parent = nullptr);

    void start();
    void stop() { timer_.stop(); }

    // Ticks run so far.
    long long ticksRun() const { return ticks_; }
    // Expiries that came due while a tick was still running (inside a
    // message box's event loop) and were dropped.
    long long expiriesHeldBack() const { return heldBack_; }

private:
    void onTimeout();
    void schedule();

    std::function<bool()> enabled_;
    std::function<void()> tick_;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 nextDue_ = 0;
    bool inTick_ = false;
    long long ticks_ = 0;
    long long heldBack_ = 0;
};

}  // namespace brontix::platform::qt
