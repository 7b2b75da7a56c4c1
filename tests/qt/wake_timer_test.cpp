#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <thread>
#include <vector>

#include "platform/qt/wake_timer.h"

namespace brontix::testing {
namespace {

using platform::qt::WakeTimer;
constexpr std::int64_t kMs = 1'000'000;

void spin(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Also run with QT_NO_GLIB=1, where the wake-ups come from a timerfd.
TEST(WakeTimer, WakesOnItsTimesNeverEarlyAndStallsMakeNoBurst) {
    std::vector<std::int64_t> at;
    WakeTimer timer([&] {
        at.push_back(WakeTimer::now());
        if (at.size() == 2) std::this_thread::sleep_for(std::chrono::milliseconds(60));
    });
    EXPECT_EQ(timer.inGlibLoop(), !qEnvironmentVariableIsSet("QT_NO_GLIB"));
    const std::int64_t first = WakeTimer::now() + 5 * kMs;
    timer.arm(first, 10 * kMs);
    spin(150);
    timer.disarm();
    ASSERT_GE(at.size(), 3u);
    for (std::size_t k = 0; k < at.size(); ++k)
        EXPECT_GE(at[k], first + static_cast<std::int64_t>(k) * 10 * kMs) << "wake-up " << k;
    // Five wake-ups missed in the stall count as one: at most 2 + 1 + 9.
    EXPECT_LE(at.size(), 12u);
    const std::size_t woken = at.size();
    spin(40);
    EXPECT_EQ(at.size(), woken);  // disarmed
}

TEST(WakeTimer, AWakeUpMayDisarmOrRearmIt) {
    int wakes = 0;
    WakeTimer* self = nullptr;
    WakeTimer timer([&] {
        if (++wakes == 1)
            self->arm(WakeTimer::now() + 30 * kMs, 5 * kMs);  // a new pace
        else
            self->disarm();
    });
    self = &timer;
    timer.arm(WakeTimer::now(), 5 * kMs);
    spin(20);
    EXPECT_EQ(wakes, 1);
    spin(60);
    EXPECT_EQ(wakes, 2);
}

// Wake-ups may follow one another inside one pass of the loop; what else
// the loop has to do must not wait for them: a Qt timer, a call queued by a
// wake-up, one posted from another thread. Each comes before the wake-up
// after next.
TEST(WakeTimer, EverythingElseInTheLoopKeepsItsTime) {
    constexpr std::int64_t kInterval = 4 * kMs;
    std::atomic<int> wakes = 0;
    int queuedDone = -1, timerDone = -1, postedAt = -1, postedDone = -1;
    QObject context;
    WakeTimer timer([&] {
        if (++wakes == 3)
            QMetaObject::invokeMethod(&context, [&] { queuedDone = wakes; }, Qt::QueuedConnection);
    });
    const std::int64_t first = WakeTimer::now() + kInterval;
    timer.arm(first, kInterval);
    QTimer::singleShot(41, Qt::PreciseTimer, &context, [&] { timerDone = wakes; });
    const std::int64_t timerDue = WakeTimer::now() + 41 * kMs;
    std::thread poster([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(9));
        postedAt = wakes;
        QMetaObject::invokeMethod(&context, [&] { postedDone = wakes; }, Qt::QueuedConnection);
    });
    spin(80);
    poster.join();
    timer.disarm();
    EXPECT_LE(queuedDone, 4);
    EXPECT_LE(postedDone, postedAt + 1);
    ASSERT_GE(timerDone, 0);
    EXPECT_LE(timerDone, (timerDue - first) / kInterval + 2);
}

}  // namespace
}  // namespace brontix::testing
