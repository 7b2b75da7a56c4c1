#include "platform/qt/tick_pacer.h"

#include <QElapsedTimer>
#include <memory>

namespace brontix::platform::qt {

pace::Pacer::Clock TickPacer::monotonicClock() {
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    return [clock] { return static_cast<std::int64_t>(clock->nsecsElapsed()); };
}

TickPacer::TickPacer(std::function<bool()> enabled, std::function<bool()> tick,
                     pace::Pacer::Clock clock, QObject* parent)
    : QObject(parent), enabled_(std::move(enabled)), pacer_(std::move(clock), std::move(tick)) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kWakeMs);
    connect(&timer_, &QTimer::timeout, this, &TickPacer::wake);
}

void TickPacer::start() {
    pacer_.restart();
    if (enabled_()) timer_.start();
}

void TickPacer::resume() {
    if (!enabled_() || timer_.isActive()) return;
    pacer_.restart();
    timer_.start();
}

void TickPacer::wake() {
    pacer_.wake();
    // Nothing can switch the timer back on but a handler, which resumes us.
    if (!enabled_()) timer_.stop();
}

}  // namespace brontix::platform::qt
