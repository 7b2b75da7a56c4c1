#include "platform/qt/tick_pacer.h"

namespace brontix::platform::qt {

TickPacer::TickPacer(std::function<bool()> enabled, std::function<void()> tick, QObject* parent)
    : QObject(parent), enabled_(std::move(enabled)), tick_(std::move(tick)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TickPacer::onTimeout);
}

void TickPacer::start() {
    clock_.start();
    nextDue_ = kPeriodNs;
    schedule();
}

void TickPacer::schedule() {
    const qint64 wait = nextDue_ - clock_.nsecsElapsed();
    timer_.start(wait <= 0 ? 0 : static_cast<int>((wait + 999'999) / 1'000'000));
}

void TickPacer::onTimeout() {
    // A tick that shows a message box runs the box's event loop inside
    // itself; nothing may start another tick until it has returned.
    if (inTick_) {
        ++heldBack_;
        return;
    }
    qint64 now = clock_.nsecsElapsed();
    int ran = 0;
    while (nextDue_ <= now && ran < kMaxCatchUp) {
        if (!enabled_()) break;
        inTick_ = true;
        tick_();
        inTick_ = false;
        ++ticks_;
        ++ran;
        nextDue_ += kPeriodNs;
    }
    now = clock_.nsecsElapsed();
    // Time spent stopped, in a message box or in a long stall is not caught
    // up: the backlog beyond the few ticks above is dropped.
    if (!enabled_() || nextDue_ <= now) nextDue_ = now + kPeriodNs;
    schedule();
}

}  // namespace brontix::platform::qt
