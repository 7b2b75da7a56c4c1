#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "platform/qt/tick_pacer.h"
#include "qt_game.h"
#include "tick/tick.h"

namespace brontix::testing {
namespace {

using platform::qt::TickPacer;

void spin(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(TickPacer, DeliversAboutSixtyFourTicksASecond) {
    long long ticks = 0;
    TickPacer pacer([] { return true; }, [&] { ++ticks; });
    pacer.start();
    spin(1000);
    pacer.stop();
    EXPECT_GE(ticks, 45);
    EXPECT_LE(ticks, 66);
}

TEST(TickPacer, RunsNoTickWhileDisabled) {
    long long ticks = 0;
    bool enabled = false;
    TickPacer pacer([&] { return enabled; }, [&] { ++ticks; });
    pacer.start();
    spin(200);
    EXPECT_EQ(ticks, 0);
    // Switched on again, the time spent off is not caught up.
    enabled = true;
    spin(60);
    EXPECT_LE(ticks, 5);
    EXPECT_GE(ticks, 1);
}

// A tick that opens a box spins a nested event loop for 400 ms while about
// 25 expiries come due: none may start a tick, and none may be caught up.
TEST(TickPacer, ANestedLoopInsideATickHoldsExpiriesBack) {
    long long ticks = 0;
    bool inside = false;
    bool reentered = false;
    long long ticksAfterBox = -1;
    QElapsedTimer sinceBox;
    TickPacer pacer([] { return true; }, [&] {
        if (inside) reentered = true;
        ++ticks;
        if (ticks == 3) {
            inside = true;
            spin(400);
            inside = false;
            sinceBox.start();
            ticksAfterBox = ticks;
        }
    });
    pacer.start();
    spin(700);
    pacer.stop();
    EXPECT_FALSE(reentered);
    // About 300 ms after the box: roughly 19 ticks at the normal pace, not
    // the 25 owed for the box on top of them.
    const double seconds = sinceBox.elapsed() / 1000.0;
    EXPECT_LE(ticks - ticksAfterBox, static_cast<long long>(seconds * 64) + 3);
}

TEST(TickPacer, TheGamesWinBoxRunsNoTickWhileOpen) {
    QtGame g;
    game::ng_Click(g.form);
    for (auto& brick : g.form.Shape1) brick.Visible = false;  // the next tick wins
    TickPacer* pacerPtr = nullptr;
    long long atOpen = -1, atClose = -1;
    int boxes = 0;
    g.services.messageBoxHook = [&](const std::string& text) {
        EXPECT_EQ(text, "You win!");
        ++boxes;
        atOpen = pacerPtr->ticksRun();
        spin(300);  // expiries keep coming due while the box is open
        atClose = pacerPtr->ticksRun();
    };
    TickPacer pacer([&] { return g.form.Timer1.Enabled; },
                    [&] { tick::Timer1_Timer(g.form); });
    pacerPtr = &pacer;
    pacer.start();
    spin(500);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(atOpen, atClose);
    EXPECT_FALSE(g.form.Timer1.Enabled);
    EXPECT_EQ(pacer.ticksRun(), 1);
}

}  // namespace
}  // namespace brontix::testing
