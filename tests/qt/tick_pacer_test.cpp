#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include "platform/qt/tick_pacer.h"
#include "qt_game.h"
#include "tick/tick.h"

namespace brontix::testing {
namespace {

using platform::qt::TickPacer;
constexpr std::int64_t kPeriod = pace::Pacer::kPeriodNs;

void spin(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(TickPacer, SleepsWhileTheTimerIsOffAndResumesWithoutCatchingUp) {
    std::int64_t now = 0;
    int ticks = 0;
    bool enabled = true;
    TickPacer pacer([&] { return enabled; }, [&] { return enabled && ++ticks; },
                    [] { return true; }, [&] { return now; });
    pacer.start();
    EXPECT_FALSE(pacer.sleeping());
    now = kPeriod;
    pacer.wake();
    EXPECT_EQ(ticks, 1);
    enabled = false;  // "p"
    pacer.wake();
    EXPECT_TRUE(pacer.sleeping());
    now = 100 * kPeriod;
    enabled = true;  // "p" again
    pacer.resume();
    EXPECT_FALSE(pacer.sleeping());
    pacer.wake();
    EXPECT_EQ(ticks, 1);  // the paused time is not owed
    now += kPeriod;
    pacer.wake();
    EXPECT_EQ(ticks, 2);
    // A disabled pacer is not woken by a handler that leaves the timer off.
    enabled = false;
    pacer.wake();
    pacer.resume();
    EXPECT_TRUE(pacer.sleeping());
}

TEST(TickPacer, WakesEveryThreeTicksWhileTheScreenStandsStill) {
    std::int64_t now = 0;
    int ticks = 0;
    bool moving = false;
    TickPacer pacer([] { return true; }, [&] { return ++ticks > 0; }, [&] { return moving; },
                    [&] { return now; });
    pacer.start();
    now = kPeriod;
    pacer.wake();
    EXPECT_TRUE(pacer.still());
    // Three periods later, the three ticks due run in one wake-up.
    now += 3 * kPeriod;
    pacer.wake();
    EXPECT_EQ(ticks, 4);
    moving = true;
    now += 3 * kPeriod;
    pacer.wake();
    EXPECT_FALSE(pacer.still());
    // A wake-up that finds no tick due keeps the pace it had.
    moving = false;
    pacer.wake();
    EXPECT_FALSE(pacer.still());
    now += kPeriod;
    pacer.wake();
    EXPECT_TRUE(pacer.still());
    pacer.resume();  // input may start something moving
    EXPECT_FALSE(pacer.still());
}

TEST(TickPacer, TheGamesWinBoxRunsNoTickWhileOpenAndLeavesThePacerAsleep) {
    QtGame g;
    game::ng_Click(g.form);
    for (auto& brick : g.form.Shape1) brick.Visible = false;  // the next tick wins
    std::int64_t now = 0;
    TickPacer* pacerPtr = nullptr;
    int boxes = 0;
    g.services.messageBoxHook = [&](const std::string& text) {
        EXPECT_EQ(text, "You win!");
        ++boxes;
        for (int n = 0; n < 20; ++n) {  // expiries keep coming due while it is open
            now += kPeriod;
            pacerPtr->wake();
        }
    };
    TickPacer pacer([&] { return g.form.Timer1.Enabled; }, [&] { return tick::expire(g.form); },
                    [] { return true; }, [&] { return now; });
    pacerPtr = &pacer;
    pacer.start();
    now = kPeriod;
    pacer.wake();
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(pacer.ticksRun(), 1);
    EXPECT_EQ(pacer.expiriesHeldBack(), 20);
    EXPECT_FALSE(g.form.Timer1.Enabled);
    EXPECT_TRUE(pacer.sleeping());
}

TEST(TickPacer, ARealTimerDrivesIt) {
    int ticks = 0;
    TickPacer pacer([] { return true; }, [&] { return ++ticks > 0; }, [] { return true; });
    pacer.start();
    spin(300);
    pacer.stop();
    EXPECT_GE(ticks, 1);
}

}  // namespace
}  // namespace brontix::testing
