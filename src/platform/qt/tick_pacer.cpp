#include "platform/qt/tick_pacer.h"

#include <QSocketNotifier>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace brontix::platform::qt {

namespace {

timespec inTimespec(std::int64_t ns) {
    return {static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

}  // namespace

pace::Pacer::Clock TickPacer::monotonicClock() {
    return [] {
        timespec t{};
        clock_gettime(CLOCK_MONOTONIC, &t);
        return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
    };
}

TickPacer::TickPacer(std::function<bool()> enabled, std::function<bool()> tick,
                     std::function<bool()> frame, pace::Pacer::Clock clock, QObject* parent)
    : QObject(parent),
      enabled_(std::move(enabled)),
      frame_(std::move(frame)),
      pacer_(std::move(clock), std::move(tick)),
      timerFd_(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)) {
    notifier_ = new QSocketNotifier(timerFd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        std::uint64_t expirations = 0;
        if (read(timerFd_, &expirations, sizeof expirations) > 0) wake();
    });
}

TickPacer::~TickPacer() {
    delete notifier_;
    if (timerFd_ >= 0) close(timerFd_);
}

void TickPacer::start() {
    pacer_.restart();
    arm(enabled_());
}

void TickPacer::resume() {
    // A handler may have started something moving: back to every tick.
    const bool wasStill = still_;
    still_ = false;
    if (!enabled_()) return;
    if (!armed_) pacer_.restart();
    if (!armed_ || wasStill) arm(true);
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
    if (still != still_ || !inStep || !armed_) {
        still_ = still;
        arm(true);
    }
}

void TickPacer::arm(bool on) {
    itimerspec timing{};
    armed_ = on;
    if (on) {
        const int ticks = still_ ? kStillTicksPerWake : 1;
        // When still, the first wake-up comes once three ticks are due.
        armedAt_ = pacer_.nextDue() + (ticks - 1) * pace::Pacer::kPeriodNs;
        timing.it_value = inTimespec(armedAt_);
        timing.it_interval = inTimespec(ticks * pace::Pacer::kPeriodNs);
    }
    if (timerFd_ >= 0) timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &timing, nullptr);
}

}  // namespace brontix::platform::qt
