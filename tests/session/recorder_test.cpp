// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// A session written down as it runs replays to the very same game: the
// same dump, the same picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "game/form1.h"
#include "replay/headless_host.h"
#include "replay/replay.h"
#include "session/dump.h"
#include "session/inside.h"
#include "session/session.h"

namespace brontix::session {
namespace {

constexpr std::int64_t kPeriod = Pacer::kPeriodNs;

struct Recorded {
    std::string script;
    Recorder recorder{[this](std::string_view line) { script += line; }, 1796817600};
    platform::headless::HeadlessHost host;
    std::int64_t now = 0;
    Session session{host, [this] { return now; }};

    Recorded() { session.record(&recorder); }
    std::string dump() { return host.dump(session); }
};

std::string replayed(const std::string& script, const char* tail = "dump\n") {
    std::istringstream in(script + tail);
    std::ostringstream out, err;
    EXPECT_EQ(replay::runScript(in, out, err), 0) << err.str();
    return out.str();
}

TEST(Recorder, WritesClockEventsAndTheTicksBetweenThem) {
    Recorded r;
    r.host.setClock(42);
    r.session.start();
    r.host.setClock(43);
    r.session.menu(Command::NewGame);
    r.session.expire(5);
    r.session.pointer(0.1f, -0.0f);
    r.session.key('p');
    r.session.expire(2);  // paused: no tick runs, nothing is written
    r.session.key(80);
    r.session.click();
    r.session.menu(Command::Demo);
    r.session.menu(Command::FullScreen);
    r.session.pointer(1e-45f, 3.4028235e38f);
    EXPECT_EQ(r.script,
              "# Brontix 1.0.0 recording, begun 2026-12-09T12:00:00Z\nformat 1\n"
              "clock 42\nclock 43\nmenu new\ntick 5\nmove 0.1 -0\nkey 112\nkey 80\nclick\n"
              "menu demo\nmenu fullscreen\nmove 1e-45 3.4028235e+38\n");
}

// A race's New Game reads the wall it is given, not the system clock: the
// recording says so, and replays to the very game; the New Game after it
// reads the clock again. Under the box a race starts nothing, and leaves
// no wall for a later New Game.
TEST(Recorder, ARaceDealsItsWallAndTheNextNewGameTheClocks) {
    Recorded r;
    r.host.setClock(42);
    r.session.start();
    EXPECT_EQ(r.session.wall(), std::nullopt);  // start-up's wall is no New Game's
    r.session.race(18446744073709551615u);
    EXPECT_EQ(r.session.wall(), 18446744073709551615u);
    r.session.expire(3);
    const std::string raced = r.dump();
    r.session.menu(Command::NewGame);
    EXPECT_EQ(r.session.wall(), 42u);
    EXPECT_EQ(r.script.substr(r.script.find("clock 42\n")),
              "clock 42\nclock 18446744073709551615\nmenu new\ntick 3\nclock 42\nmenu new\n");
    EXPECT_EQ(replayed("clock 42\nclock 18446744073709551615\nmenu new\ntick 3\n"), raced + "\n");

    Recorded boxed;
    boxed.host.setClock(7);
    boxed.session.start();
    boxed.session.menu(Command::NewGame);
    boxed.session.click();
    for (int n = 0; n < 100000 && !boxed.session.boxOpen(); ++n) boxed.session.expire();
    ASSERT_TRUE(boxed.session.boxOpen());
    const std::size_t before = boxed.script.size();
    boxed.session.race(99);
    boxed.session.boxClosed();
    boxed.session.menu(Command::NewGame);
    EXPECT_EQ(boxed.script.find("clock 99"), std::string::npos);
    EXPECT_EQ(boxed.session.wall(), 7u);
    EXPECT_NE(boxed.script.find("clock 7\nmenu new", before), std::string::npos);
}

TEST(RaceWall, DecimalDigitsWithinSixtyFourBits) {
    EXPECT_EQ(raceWall("0"), 0u);
    EXPECT_EQ(raceWall("00000000000000000042"), 42u);
    EXPECT_EQ(raceWall("18446744073709551615"), 18446744073709551615u);
    for (const char* refused : {"", "18446744073709551616", "99999999999999999999",
                                "000000000000000000001", "+1", "-1", "1a", " 1", "1 ", "0x10"})
        EXPECT_EQ(raceWall(refused), std::nullopt) << refused;
}

// The heading's date is UTC's, across month ends, leap days and 1970.
TEST(Recorder, HeadingSaysWhenInUtc) {
    EXPECT_EQ(Recorder::heading(0), "# Brontix 1.0.0 recording, begun 1970-01-01T00:00:00Z\n");
    EXPECT_EQ(Recorder::heading(951868799),
              "# Brontix 1.0.0 recording, begun 2000-02-29T23:59:59Z\n");
    EXPECT_EQ(Recorder::heading(-1), "# Brontix 1.0.0 recording, begun 1969-12-31T23:59:59Z\n");
}

// A game that plays on with no input writes its ticks every second of
// play: killed at any moment (nothing settled), its recording has all but
// its last 64 ticks, and replays to the game as it was then.
TEST(Recorder, AGameKilledWithoutInputLosesAtMostItsLastSecond) {
    Recorded r;
    r.session.start();
    while (r.session.ticksRun() < 1000) {
        r.now = r.session.nextWake().value();
        r.session.wake();
    }
    std::string expected = "format 1\nclock 0\n";
    for (int i = 0; i < 1000 / 64; ++i) expected += "tick 64\n";
    EXPECT_EQ(r.script.substr(r.script.find('\n') + 1), expected);
    EXPECT_EQ(replayed(r.script).substr(0, 11), "{\"tick\":960");
}

// Written while "You lose!" is still up: whoever copies the file then, or
// kills the game at the box, has the lost game.
TEST(Recorder, AGameThatEndsIsWrittenUpToItsLastTickWhileItsBoxIsUp) {
    Recorded r;
    r.session.start();
    r.session.menu(Command::NewGame);
    session::Inside::form(r.session).Ball[0].Visible = false;  // the next tick loses
    r.now = r.session.nextWake().value();
    const Answer lost = r.session.wake();
    ASSERT_EQ(lost.box, std::optional<std::string>("You lose!"));
    EXPECT_EQ(r.script.substr(r.script.rfind("menu new")),
              "menu new\ntick 1\ncheck " + hashText(r.session.stateHash()) + "\n");
}

// A recording proves itself: a check of the state after every 4 096 ticks
// from start-up, at the end of a game and when the program quits, each
// after the ticks that bring a replay there; the replay meets every one.
TEST(Recorder, ChecksTheStateEvery4096TicksAtAGamesEndAndAtQuit) {
    std::string script;
    Recorder recorder([&script](std::string_view line) { script += line; }, 0);
    platform::headless::HeadlessHost host;
    std::int64_t now = 0;
    auto session = std::make_unique<Session>(host, [&now] { return now; });
    session->record(&recorder);
    session->start();
    session->menu(Command::NewGame);
    session->menu(Command::Demo);
    session->click();
    while (session->ticksRun() < 9000) {
        now = session->nextWake().value();
        session->wake();
    }
    // The paddle away in a corner: the game is lost soon.
    session->menu(Command::Demo);
    session->pointer(0, 0);
    std::optional<std::string> box;
    while (!box && session->ticksRun() < 30000) {
        now = session->nextWake().value();
        box = session->wake().box;
    }
    ASSERT_EQ(box, std::optional<std::string>("You lose!"));
    const std::uint64_t lostAt = session->ticksRun();
    session->pointer(3, 4);  // under the box: not run, not written
    const std::int32_t score = session->score();
    session->boxClosed();
    session->pointer(3, 4);
    session.reset();  // the program quits

    // The ticks run before each check, and what follows the last.
    std::vector<std::uint64_t> checkedAt;
    std::uint64_t ticks = 0;
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("tick ", 0) == 0) ticks += std::stoull(line.substr(5));
        if (line.rfind("check ", 0) == 0) checkedAt.push_back(ticks);
    }
    EXPECT_EQ(checkedAt, (std::vector<std::uint64_t>{4096, 8192, lostAt, lostAt}));
    EXPECT_EQ(script.substr(script.rfind("move 3 4\n") + 9, 6), "check ");
    std::istringstream in(script);
    std::ostringstream out, err;
    replay::ScriptRun run;
    run.verify = true;
    run.read = [&in](char* into, std::size_t n) {
        in.read(into, static_cast<std::streamsize>(n));
        return static_cast<long>(in.gcount());
    };
    EXPECT_EQ(replay::runScript(run, out, err), 0) << err.str();
    EXPECT_EQ(out.str(), "verified: 4 checks, " + std::to_string(lostAt) + " ticks, score " +
                             std::to_string(score) + ", won 0, lost 1\n");
}

// A long game as a window plays it: wake-ups when the session asks (and
// late ones), the pointer at odd places, clicks, pauses, New Games, Demo,
// capsules of every kind. Its recording replays to the same state and the
// same picture.
TEST(Recorder, ALongDemoGameReplaysToTheSameDumpAndFrame) {
    Recorded r;
    r.host.setClock(20261209);
    r.session.start();
    std::mt19937 rng(7);
    auto chance = [&](int percent) { return static_cast<int>(rng() % 100) < percent; };
    r.session.menu(Command::NewGame);
    r.session.menu(Command::Demo);
    r.session.click();
    for (int n = 0; n < 20000; ++n) {
        if (const auto at = r.session.nextWake()) {
            r.now = *at + (chance(5) ? static_cast<std::int64_t>(rng() % (4 * kPeriod)) : 0);
            r.host.apply(r.session, r.session.wake());
        } else {
            r.now += kPeriod;
        }
        if (chance(2)) r.session.click();
        if (chance(2))
            r.session.pointer(std::uniform_real_distribution<float>(-50, 700)(rng), 0.3f);
        if (chance(1)) r.session.key(chance(50) ? 'p' : 'q');
        if (chance(1) && chance(10)) r.session.menu(Command::NewGame);
        if (!r.session.timerEnabled() && chance(20)) {
            r.host.setClock(rng());
            r.session.menu(Command::NewGame);
            r.session.click();
        }
    }
    ASSERT_GT(r.session.ticksRun(), 10000u);
    r.recorder.settle();  // the game quits: the ticks since the last event
    const std::string live = r.dump() + "\n";
    const std::string again = replayed(r.script);
    EXPECT_TRUE(again == live) << "first difference at byte "
                               << std::mismatch(live.begin(), live.end(), again.begin()).first -
                                      live.begin();

    std::ostringstream out;
    replay::Replay replay(out);
    std::istringstream in(r.script);
    for (std::string line; std::getline(in, line);) ASSERT_FALSE(replay.runLine(line)) << line;
    replay.finish();
    EXPECT_TRUE(replay.session().drawnFrame() == r.session.drawnFrame());
}

}  // namespace
}  // namespace brontix::session
