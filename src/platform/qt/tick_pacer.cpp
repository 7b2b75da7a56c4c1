#include "platform/qt/tick_pacer.h"

namespace brontix::platform::qt {

TickPacer::TickPacer(std::function<bool()> enabled, std::function<bool()> tick,
                     std::function<bool()> frame, pace::Pacer::Clock clock)
    : enabled_(std::move(enabled)),
      frame_(std::move(frame)),
      pacer_(std::move(clock), std::move(tick)),
      timer_([this] { wake(); }) {}

void TickPacer::start() {
    pacer_.restart();
    arm(enabled_());
}

void TickPacer::resume() {
    // A handler may have started something moving: back to every tick.
    const bool wasStill = still_;
    still_ = false;
    if (!enabled_()) return;
    if (!timer_.armed()) pacer_.restart();
    if (!timer_.armed() || wasStill) arm(true);
}

void TickPacer::wake() {
    const int ran = pacer_.wake();
    const bool changed = ran > 0 && frame_();
    // Nothing can switch the timer back on but a handler, which resumes us.
    if (!enabled_()) {
        arm(false);
        return;
    }
    const bool still = ran > 0 ? !changed : still_;
    // A dropped backlog moves the ticks off the armed pace.
    const bool inStep = (pacer_.nextDue() - armedAt_) % pace::Pacer::kPeriodNs == 0;
    if (still != still_ || !inStep || !timer_.armed()) {
        still_ = still;
        arm(true);
    }
}

void TickPacer::arm(bool on) {
    if (!on) {
        timer_.disarm();
        return;
    }
    const int ticks = still_ ? kStillTicksPerWake : 1;
    // When still, the first wake-up comes once three ticks are due.
    armedAt_ = pacer_.nextDue() + (ticks - 1) * pace::Pacer::kPeriodNs;
    timer_.arm(armedAt_, ticks * pace::Pacer::kPeriodNs);
}

}  // namespace brontix::platform::qt
