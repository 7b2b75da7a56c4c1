#include "platform/qt/wake_timer.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>
#include <ctime>
#include <glib.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace brontix::platform::qt {

namespace {

timespec inTimespec(std::int64_t ns) {
    return {static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

// glib's ready times are microseconds of the same clock; rounding up keeps
// a wake-up from coming before its time.
gint64 readyTime(std::int64_t ns) { return (ns + 999) / 1000; }

bool qtRunsGlibsLoop() {
    const QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
    return loop && loop->inherits("QEventDispatcherGlib");
}

}  // namespace

struct GlibWake {
    GSource base;
    WakeTimer* timer;

    static gboolean dispatch(GSource* source, GSourceFunc, gpointer) {
        reinterpret_cast<GlibWake*>(source)->timer->fire();
        return G_SOURCE_CONTINUE;
    }
};

namespace {
GSourceFuncs glibWakeFuncs = {nullptr, nullptr, &GlibWake::dispatch, nullptr, nullptr, nullptr};
}  // namespace

std::int64_t WakeTimer::now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

WakeTimer::WakeTimer(std::function<void()> wake) : wake_(std::move(wake)) {
    if (qtRunsGlibsLoop()) {
        source_ = g_source_new(&glibWakeFuncs, sizeof(GlibWake));
        reinterpret_cast<GlibWake*>(source_)->timer = this;
        // Qt attaches its own sources to this thread's context.
        GMainContext* context = g_main_context_ref_thread_default();
        g_source_attach(source_, context);
        g_main_context_unref(context);
        return;
    }
    timerFd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    notifier_ = new QSocketNotifier(timerFd_, QSocketNotifier::Read);
    QObject::connect(notifier_, &QSocketNotifier::activated, [this] {
        std::uint64_t expirations = 0;
        if (read(timerFd_, &expirations, sizeof expirations) > 0) wake_();
    });
}

WakeTimer::~WakeTimer() {
    if (source_) {
        g_source_destroy(source_);
        g_source_unref(source_);
    }
    delete notifier_;
    if (timerFd_ >= 0) close(timerFd_);
}

void WakeTimer::arm(std::int64_t first, std::int64_t interval) {
    next_ = first;
    interval_ = interval;
    if (source_) {
        g_source_set_ready_time(source_, readyTime(next_));
        return;
    }
    const itimerspec timing{inTimespec(interval), inTimespec(first)};
    timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &timing, nullptr);
}

void WakeTimer::disarm() {
    if (source_) {
        g_source_set_ready_time(source_, -1);
        return;
    }
    const itimerspec off{};
    timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &off, nullptr);
}

void WakeTimer::fire() {
    // The next wake-up is set before this one runs, which may arm the timer
    // again or disarm it. Those missed while this one was late become one
    // wake-up at once, as a periodic timerfd reports them: a stall never
    // turns into a burst.
    const std::int64_t t = now();
    next_ += interval_;
    if (next_ <= t) next_ += (t - next_) / interval_ * interval_;
    g_source_set_ready_time(source_, readyTime(next_));
    wake_();
}

}  // namespace brontix::platform::qt
