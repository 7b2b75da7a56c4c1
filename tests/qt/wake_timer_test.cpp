#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
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

}  // namespace
}  // namespace brontix::testing
