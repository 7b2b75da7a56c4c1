#include "platform/qt/wake_timer.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>
#include <algorithm>
#include <ctime>
#include <limits>
#include <vector>
#include <glib.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace brontix::platform::qt {

struct GlibWake;

namespace {

constexpr std::int64_t kNsPerMs = 1'000'000;
constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

timespec inTimespec(std::int64_t ns) {
    return {static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

// glib polls in milliseconds; rounding up keeps a wake-up from coming
// before its time.
gint msUntil(std::int64_t due, std::int64_t now) {
    if (due <= now) return 0;
    return static_cast<gint>(std::min<std::int64_t>((due - now + kNsPerMs - 1) / kNsPerMs,
                                                    std::numeric_limits<gint>::max()));
}

bool qtRunsGlibsLoop() {
    const QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
    return loop && loop->inherits("QEventDispatcherGlib");
}

// What glib's loop on this thread last waited for, seen from its poll
// function, which glib calls with every other source's files and timeout
// but not the wake-ups' (they tell glib no timeout; the poll function adds
// theirs). glib's poll function is a bare function pointer, hence one such
// view a thread.
struct LoopView {
    GMainContext* context = nullptr;  // polled by us while it has wake-ups
    GPollFunc chained = nullptr;      // its poll function before ours
    std::vector<GlibWake*> wakes;
    std::vector<GPollFD> files;   // what the last pass polled
    std::int64_t othersDue = kNever;  // when another source wants a pass
    bool timedOut = false;        // the last pass found no file ready
    unsigned passes = 0;
};
thread_local LoopView loopView;

gint pollForWakes(GPollFD* files, guint count, gint timeout);

}  // namespace

struct GlibWake {
    GSource base;
    WakeTimer* timer;
    bool running;  // glib holds a source back while it runs: a message box
                   // opened by a wake-up sees none of its wake-ups

    std::int64_t due() const { return timer->armed_ && !running ? timer->next_ : kNever; }

    static GlibWake* of(GSource* source) { return reinterpret_cast<GlibWake*>(source); }
    static gboolean prepare(GSource* source, gint* timeout) {
        *timeout = -1;
        return check(source);
    }
    static gboolean check(GSource* source) {
        const std::int64_t due = of(source)->due();
        return due != kNever && due <= WakeTimer::now();
    }
    static gboolean dispatch(GSource* source, GSourceFunc, gpointer) {
        GlibWake& self = *of(source);
        self.running = true;
        std::int64_t now = WakeTimer::now();
        for (int wakes = 1;; ++wakes) {
            const unsigned pass = loopView.passes;
            self.timer->fire(now);
            // A wake-up may end its own timer.
            if (g_source_is_destroyed(source)) return G_SOURCE_REMOVE;
            if (wakes == WakeTimer::kWakesPerPass || !self.keepsThePass(pass)) break;
            now = self.waitInPass();
            if (now < 0) break;
        }
        self.running = false;
        return G_SOURCE_CONTINUE;
    }

    // The next wake-up may wait inside this pass when nothing but the
    // wake-ups was due in it (its poll ran out of time with no file ready),
    // nothing else falls due before the next one, and the wake-up just run
    // opened no loop of its own (a message box) that polled since.
    bool keepsThePass(unsigned pass) const {
        const LoopView& view = loopView;
        if (!timer->armed_ || view.passes != pass || !view.timedOut) return false;
        std::int64_t others = view.othersDue;
        for (const GlibWake* wake : view.wakes)
            if (wake != this) others = std::min(others, wake->due());
        return timer->next_ < others;
    }

    // Sleeps on the pass's files until the next wake-up and returns the
    // time it woke; -1 if one of them became ready first (input, an event
    // posted from anywhere, the loop's own wake-up call), which the loop
    // must see at once.
    std::int64_t waitInPass() const {
        LoopView& view = loopView;
        for (GPollFD& file : view.files) file.revents = 0;
        for (;;) {
            const std::int64_t now = WakeTimer::now();
            if (timer->next_ <= now) return now;
            if (view.chained(view.files.data(), static_cast<guint>(view.files.size()),
                             msUntil(timer->next_, now)) != 0)
                return -1;
        }
    }
};

namespace {

GSourceFuncs glibWakeFuncs = {&GlibWake::prepare, &GlibWake::check, &GlibWake::dispatch,
                              nullptr, nullptr, nullptr};

gint pollForWakes(GPollFD* files, guint count, gint timeout) {
    LoopView& view = loopView;
    ++view.passes;
    const std::int64_t now = WakeTimer::now();
    view.othersDue = timeout < 0 ? kNever : now + timeout * kNsPerMs;
    std::int64_t due = view.othersDue;
    for (const GlibWake* wake : view.wakes) due = std::min(due, wake->due());
    view.files.assign(files, files + count);
    const gint ready = view.chained(files, count, due == kNever ? -1 : msUntil(due, now));
    view.timedOut = ready == 0;
    return ready;
}

}  // namespace

std::int64_t WakeTimer::now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

WakeTimer::WakeTimer(std::function<void()> wake) : wake_(std::move(wake)) {
    if (qtRunsGlibsLoop()) {
        source_ = g_source_new(&glibWakeFuncs, sizeof(GlibWake));
        GlibWake* wake = GlibWake::of(source_);
        wake->timer = this;
        wake->running = false;
        // Qt attaches its own sources to this thread's context.
        GMainContext* context = g_main_context_ref_thread_default();
        if (loopView.wakes.empty()) {
            loopView.context = context;
            loopView.chained = g_main_context_get_poll_func(context);
            g_main_context_set_poll_func(context, &pollForWakes);
        }
        loopView.wakes.push_back(wake);
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
        std::erase(loopView.wakes, GlibWake::of(source_));
        // The last one gives glib its own poll function back.
        if (loopView.wakes.empty() &&
            g_main_context_get_poll_func(loopView.context) == &pollForWakes)
            g_main_context_set_poll_func(loopView.context, loopView.chained);
        g_source_destroy(source_);
        g_source_unref(source_);
    }
    delete notifier_;
    if (timerFd_ >= 0) close(timerFd_);
}

void WakeTimer::arm(std::int64_t first, std::int64_t interval) {
    next_ = first;
    interval_ = interval;
    armed_ = true;
    if (source_) return;
    const itimerspec timing{inTimespec(interval), inTimespec(first)};
    timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &timing, nullptr);
}

void WakeTimer::disarm() {
    armed_ = false;
    if (source_) return;
    const itimerspec off{};
    timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &off, nullptr);
}

void WakeTimer::fire(std::int64_t t) {
    // The next wake-up is set before this one runs, which may arm the timer
    // again or disarm it. Those missed while this one was late become one
    // wake-up at once, as a periodic timerfd reports them: a stall never
    // turns into a burst.
    next_ += interval_;
    if (next_ <= t) next_ += (t - next_) / interval_ * interval_;
    wake_();
}

}  // namespace brontix::platform::qt
