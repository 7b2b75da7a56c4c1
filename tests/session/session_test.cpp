// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The session every front end drives: what reaches the screen, the one
// gate, and the pace, on a clock the tests set.
#include <gtest/gtest.h>

#include "game/game.h"
#include "platform/headless/headless_host.h"
#include "render/scene_renderer.h"
#include "session/session.h"

namespace brontix::session {
namespace {

constexpr std::int64_t kPeriod = Pacer::kPeriodNs;

// A front end whose screen keeps only the rectangles it is given, as a
// window's does; its box is modal (answered before it returns) or, like a
// page's, left open until the test closes it.
class Screen : public platform::headless::HeadlessHost {
public:
    render::PixelBuffer pixels{scene::kPlayfieldWidth, scene::kPlayfieldHeight, 0};
    int presents = 0;
    bool boxStaysOpen = false;

    void present(const render::PixelBuffer& frame, const std::vector<render::Rect>& rects) override {
        ++presents;
        for (const render::Rect& r : rects)
            for (int y = r.y; y < r.bottom(); ++y)
                std::copy(frame.row(y) + r.x, frame.row(y) + r.right(), pixels.row(y) + r.x);
    }
    bool showsFrames() const override { return true; }
    bool messageBox(const std::string& text) override {
        HeadlessHost::messageBox(text);
        return !boxStaysOpen;
    }
};

struct Paced {
    Screen screen;
    std::int64_t now = 0;
    Session session{screen, [this] { return now; }};

    Paced(std::initializer_list<float> draws = {}) {
        for (float v : draws) session.queueRandom(v);
        session.start();
    }
    // The front end's timer: it fires when the session asked.
    void wakeWhenAsked() {
        now = session.nextWake().value();
        session.wake();
    }
    render::PixelBuffer whole() {
        render::PixelBuffer f(scene::kPlayfieldWidth, scene::kPlayfieldHeight);
        render::drawWholeFrame(f, session.picture().pixels(), session.form());
        return f;
    }
    void emptyWall() {
        for (auto& brick : session.form().Shape1) brick.Visible = false;
    }
};

// Whatever the game does, the screen, which gets only the rectangles drawn
// again, comes to exactly what a whole redraw gives; ticks that change
// nothing visible send nothing to the screen.
TEST(SessionScreen, ShowsExactlyTheGameFromChangedRectanglesAlone) {
    Paced p;
    p.screen.setClock(2024);
    EXPECT_EQ(p.screen.pixels, p.whole());  // the first frame, whole
    p.session.menu(Command::NewGame);
    p.wakeWhenAsked();  // ball 0 drawn on the paddle
    const int presents = p.screen.presents;
    p.session.expire(3);  // held there: nothing visible changes
    EXPECT_EQ(p.screen.presents, presents);

    p.session.menu(Command::Demo);
    game::Form1& f = p.session.form();
    f.LFire[0].Visible = f.RFire[0].Visible = true;
    for (int t = 0; t < 2500; ++t) {
        if (t % 50 == 0) p.session.click();
        if (t % 700 == 350) p.session.pointer(100.0f + t % 400, 0);
        if (!p.session.timerEnabled()) p.session.menu(Command::NewGame);
        p.wakeWhenAsked();
        if (t % 25 == 0) {
            ASSERT_EQ(p.screen.pixels, p.whole()) << "wake-up " << t;
        }
    }
    EXPECT_EQ(p.screen.pixels, p.whole());
    EXPECT_EQ(p.session.frame(), p.whole());
    EXPECT_GT(p.screen.presents, 2000);
}

// One gate: no tick while the timer is off, inside a running tick, or under
// the game's box; no event reaches a handler under the box either.
TEST(SessionGate, NoTickInsideATickOrUnderTheBox) {
    Paced p;
    p.session.key('p');
    EXPECT_EQ(p.session.expire(5), 0u);
    p.session.key('p');

    // A modal box: expiries and wake-ups its loop delivers run nothing.
    p.session.menu(Command::NewGame);
    p.emptyWall();  // the next tick wins
    std::uint64_t inside = 99;
    p.screen.onMessageBox = [&](const std::string&) {
        p.now += 10 * kPeriod;
        p.session.wake();
        inside = p.session.expire(3);
        p.session.click();  // held back too: the ball stays held
    };
    EXPECT_EQ(p.session.expire(3), 1u);
    EXPECT_EQ(inside, 0u);
    EXPECT_EQ(p.session.form().state.ballHeld[0], game::True);
    EXPECT_EQ(p.screen.messages(), std::vector<std::string>{"You win!"});
    EXPECT_FALSE(p.session.nextWake());
}

TEST(SessionGate, APagesBoxHoldsTheGameUntilItIsClosed) {
    Paced p;
    p.screen.boxStaysOpen = true;
    p.session.menu(Command::NewGame);
    game::Form1& f = p.session.form();
    f.Ball[0].Visible = false;  // the next tick loses
    const std::uint64_t ticks = p.session.ticksRun();
    p.wakeWhenAsked();
    EXPECT_EQ(p.session.ticksRun(), ticks + 1);
    ASSERT_TRUE(p.session.boxOpen());
    // The rest of the tick ran (the cannons followed the paddle) but is not
    // shown; nothing wakes the game, and no event reaches it.
    const int presents = p.screen.presents;
    EXPECT_FALSE(p.session.nextWake());
    p.session.menu(Command::NewGame);
    p.session.key('p');
    EXPECT_EQ(p.session.expire(3), 0u);
    EXPECT_FALSE(f.Ball[0].Visible);
    EXPECT_EQ(p.screen.presents, presents);

    p.now += 1'000'000'000;  // a second later the player answers
    p.session.boxClosed();
    EXPECT_FALSE(p.session.boxOpen());
    EXPECT_FALSE(p.session.nextWake());  // the game is lost: the timer is off
    p.session.menu(Command::NewGame);
    EXPECT_EQ(p.session.nextWake(), p.now + kPeriod);  // nothing owed
}

// Asleep while the timer is off; one period after it comes back on, with
// nothing owed; every third tick while nothing on screen changes, and back
// to every tick after any event, a pointer move included.
TEST(SessionPace, SleepsWhileOffAndWakesOnEveryEvent) {
    Paced p;
    EXPECT_EQ(p.session.nextWake(), kPeriod);
    p.session.menu(Command::NewGame);
    p.wakeWhenAsked();
    p.session.key('p');
    EXPECT_FALSE(p.session.nextWake());
    p.now += 100 * kPeriod;
    p.session.key('p');
    EXPECT_EQ(p.session.nextWake(), p.now + kPeriod);

    // The served ball held still: the pace drops to a wake-up every third
    // tick, which runs the three ticks due.
    for (int n = 0; n < 10; ++n) p.wakeWhenAsked();
    const std::int64_t due = p.session.nextWake().value();
    const std::uint64_t ticks = p.session.ticksRun();
    p.wakeWhenAsked();
    EXPECT_EQ(p.session.ticksRun(), ticks + 3);
    EXPECT_EQ(p.session.nextWake(), due + 3 * kPeriod);
    // A pointer move carries the held ball: the next tick shows it.
    p.session.pointer(100, 0);
    EXPECT_EQ(p.session.nextWake(), due + kPeriod);
}

}  // namespace
}  // namespace brontix::session
