// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The session every front end drives: what reaches the screen, the one
// gate, and the pace, on a clock the tests set.
#include <gtest/gtest.h>

#include "game/game.h"
#include "render/scene_renderer.h"
#include "replay/headless_host.h"
#include "session/inside.h"
#include "session/recorder.h"
#include "session/session.h"

namespace brontix::session {
namespace {

constexpr std::int64_t kPeriod = Pacer::kPeriodNs;

// A front end that shows frames, with a screen that keeps only the
// rectangles it is given, as a window's does; a box stays up until the test
// answers it.
class Framed : public platform::headless::HeadlessHost {
public:
    bool showsFrames() const override { return true; }
};

struct Paced {
    Framed host;
    render::PixelBuffer pixels{scene::kPlayfieldWidth, scene::kPlayfieldHeight, 0};
    int presents = 0;
    std::int64_t now = 0;
    Session session{host, [this] { return now; }};

    Paced(std::initializer_list<float> draws = {}) {
        for (float v : draws) session.queueRandom(v);
        show(session.start());
    }
    // An answer applied to the screen.
    Answer show(Answer a) {
        if (!a.drawn.empty()) ++presents;
        const render::PixelBuffer& frame = session.frame();
        for (const render::Rect& r : a.drawn)
            for (int y = r.y; y < r.bottom(); ++y)
                std::copy(frame.row(y) + r.x, frame.row(y) + r.right(), pixels.row(y) + r.x);
        return a;
    }
    // The front end's timer: it fires when the session asked.
    Answer wakeWhenAsked() {
        now = session.nextWake().value();
        return show(session.wake());
    }
    render::PixelBuffer whole() {
        render::PixelBuffer f(scene::kPlayfieldWidth, scene::kPlayfieldHeight);
        render::drawWholeFrame(f, Inside::picture(session), Inside::form(session));
        return f;
    }
    void emptyWall() {
        for (auto& brick : Inside::form(session).Shape1) brick.Visible = false;
    }
};

// A game the player can no longer see pauses as p would, recorded so that a
// replay is exact; a paused game, an ended one or one under its box is left
// alone.
TEST(SessionUnseen, PausesARunningGameAsPWouldAndNothingElse) {
    // The recorder outlives the session, which writes its last check as it goes.
    std::string script;
    Recorder recorder([&script](std::string_view line) { script += line; }, 0);
    Paced p;
    p.session.record(&recorder);
    p.show(p.session.menu(Command::NewGame));
    p.wakeWhenAsked();
    const Answer paused = p.session.unseen();
    EXPECT_FALSE(p.session.timerEnabled());
    EXPECT_EQ(paused.caption, std::optional<std::string>("Brontix [Paused]"));
    EXPECT_EQ(script.substr(script.size() - 8), "key 112\n");
    const std::string recorded = script;
    p.session.unseen();  // already paused: p would resume it
    EXPECT_FALSE(p.session.timerEnabled());
    p.show(p.session.key('p'));
    p.emptyWall();  // the next tick wins and opens the box
    ASSERT_TRUE(p.wakeWhenAsked().box);
    p.session.unseen();
    p.show(p.session.boxClosed());
    p.session.unseen();  // the game is over
    EXPECT_EQ(script.substr(recorded.size()),
              "key 112\ntick 1\ncheck " + hashText(p.session.stateHash()) + "\n");
}

// A pointer that leaves the playfield between two moves gives the game one
// last move where its path crossed the edge, at the first edge it meets,
// on the edge's last pixel; one that left from within crossed none.
TEST(SessionPointer, ALeavingPointerMovesToTheEdgeItCrossed) {
    // The recorder outlives the session, which writes its last check as it goes.
    std::string script;
    Recorder recorder([&script](std::string_view line) { script += line; }, 0);
    Paced p;
    p.session.record(&recorder);
    p.session.menu(Command::NewGame);
    auto lastLine = [&] { return script.substr(script.rfind('\n', script.size() - 2) + 1); };
    p.session.leave(520, 200, 720, 400);
    EXPECT_EQ(lastLine(), "move 639 319\n");
    EXPECT_EQ(Inside::form(p.session).Paddle.Left, 639 - Inside::form(p.session).Paddle.Width / 2);
    p.session.leave(600, 500, 700, 560);
    EXPECT_EQ(lastLine(), "move 639 523.4\n");
    p.session.leave(10, 300, -90, 200);
    EXPECT_EQ(lastLine(), "move 0 290\n");
    p.session.leave(300, 10, 310, -30);
    EXPECT_EQ(lastLine(), "move 302.5 0\n");
    const std::string before = script;
    p.session.leave(100, 100, 200, 200);  // onto a window over the playfield
    p.session.leave(639, 300, 700, 300);  // from the edge's pixel itself
    EXPECT_EQ(script, before);
}

// Whatever the game does, the screen, which gets only the rectangles drawn
// again, comes to exactly what a whole redraw gives; ticks that change
// nothing visible send nothing to the screen.
TEST(SessionScreen, ShowsExactlyTheGameFromChangedRectanglesAlone) {
    Paced p;
    p.host.setClock(2024);
    EXPECT_EQ(p.pixels, p.whole());  // the first frame, whole
    p.show(p.session.menu(Command::NewGame));
    p.wakeWhenAsked();  // ball 0 drawn on the paddle
    const int presents = p.presents;
    p.show(p.session.expire(3));  // held there: nothing visible changes
    EXPECT_EQ(p.presents, presents);

    p.show(p.session.menu(Command::Demo));
    game::Form1& f = Inside::form(p.session);
    f.LFire[0].Visible = f.RFire[0].Visible = true;
    for (int t = 0; t < 2500; ++t) {
        if (t % 50 == 0) p.show(p.session.click());
        if (t % 700 == 350) p.show(p.session.pointer(100.0f + t % 400, 0));
        if (p.session.boxOpen()) p.show(p.session.boxClosed());
        if (!p.session.timerEnabled()) p.show(p.session.menu(Command::NewGame));
        p.wakeWhenAsked();
        if (t % 25 == 0) {
            ASSERT_EQ(p.pixels, p.whole()) << "wake-up " << t;
        }
    }
    EXPECT_EQ(p.pixels, p.whole());
    EXPECT_EQ(p.session.frame(), p.whole());
    EXPECT_GT(p.presents, 2000);
}

// The box is the session's state. The tick that opens it runs to its end,
// but the screen keeps the board as the box opened. Until the player
// answers, no tick runs, and no event reaches a handler or the recording;
// then the rest of the tick is shown, and the box's time is not owed.
TEST(SessionGate, UnderTheBoxNothingRunsOrIsRecordedUntilItIsAnswered) {
    // The recorder outlives the session, which writes its last check as it goes.
    std::string script;
    Recorder recorder([&script](std::string_view line) { script += line; }, 0);
    Paced p;
    p.session.record(&recorder);
    game::Form1& f = Inside::form(p.session);
    p.show(p.session.menu(Command::NewGame));
    f.LFire[0].Visible = true;
    p.show(p.session.pointer(500, 0));  // the cannon follows the paddle at the tick's end
    p.emptyWall();                      // the next tick wins
    const Answer won = p.wakeWhenAsked();
    EXPECT_EQ(won.box, std::optional<std::string>("You win!"));
    EXPECT_FALSE(won.wake);
    EXPECT_FALSE(f.Timer1.Enabled);
    EXPECT_EQ(f.LFire[0].Left, 500 - 36.5f + 8);
    EXPECT_NE(p.pixels, p.whole());  // the cannon, still where it was as the box opened

    const std::string recorded = script, caption = f.services.caption();
    const std::uint64_t ticks = p.session.ticksRun();
    const int presents = p.presents;
    for (const Answer& a : {p.session.key('p'), p.session.menu(Command::NewGame), p.session.click(),
                            p.session.pointer(100, 0)}) {
        EXPECT_TRUE(a.drawn.empty());
        EXPECT_FALSE(a.wake);
    }
    p.now += 10 * kPeriod;
    p.show(p.session.wake());
    p.show(p.session.expire(3));
    EXPECT_EQ(p.session.ticksRun(), ticks);
    EXPECT_EQ(script, recorded);
    EXPECT_EQ(p.presents, presents);
    EXPECT_EQ(f.services.caption(), caption);
    EXPECT_EQ(f.Paddle.Left, 500 - 36.5f);
    EXPECT_EQ(f.state.ballHeld[0], game::True);

    p.now += 1'000'000'000;  // a second later the player answers
    const Answer closed = p.show(p.session.boxClosed());
    EXPECT_FALSE(p.session.boxOpen());
    EXPECT_FALSE(closed.wake);  // won: the timer is off
    EXPECT_EQ(p.pixels, p.whole());
    p.show(p.session.menu(Command::NewGame));
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
    EXPECT_FALSE(p.session.key('p').wake);
    p.now += 100 * kPeriod;
    EXPECT_EQ(p.session.key('p').wake, p.now + kPeriod);
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
    EXPECT_EQ(p.session.pointer(100, 0).wake, due + kPeriod);
}

}  // namespace
}  // namespace brontix::session
