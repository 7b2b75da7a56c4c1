// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The viewer shows at every point what the replay driver shows for the
// script cut there; it plays, steps and seeks within the script, marks the
// moments that matter, and refuses a broken script as the driver does.
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <random>
#include <sstream>

#include "game/form1.h"
#include "replay/replay.h"
#include "viewer/viewer.h"

namespace brontix::viewer {
namespace {

std::unique_ptr<Viewer> opened(const std::string& text) {
    auto v = Viewer::open(text);
    if (auto* error = std::get_if<std::string>(&v)) ADD_FAILURE() << *error;
    auto viewer = std::move(std::get<std::unique_ptr<Viewer>>(v));
    viewer->surveyAll();
    return viewer;
}

// The script cut at point N, line by line as the format defines it: every
// line before the N-th tick that ran, a `tick K` that runs past it cut to
// the expiries it needs, nothing after. Its replay is what the viewer must
// show at N.
struct Cut {
    std::string text;
    std::string caption;
    render::PixelBuffer frame{1, 1};
};

Cut cutAt(const std::string& script, std::uint64_t n) {
    std::ostringstream discard;
    replay::Replay probe(discard);
    Cut cut;
    std::istringstream in(script);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string word;
        std::uint64_t count = 1;
        words >> word >> count;
        if (word != "tick") {
            if (n > 0 && probe.session().ticksRun() == n) break;
            EXPECT_FALSE(probe.runLine(line));
            cut.text += line + "\n";
            continue;
        }
        probe.finish();
        session::Session& s = probe.session();
        if (s.ticksRun() == n && (n > 0 || s.timerEnabled())) break;
        std::uint64_t used = 0;
        while (used < count && s.ticksRun() < n) {
            probe.host().expire(s, 1);
            ++used;
        }
        if (s.ticksRun() < n) used = count;  // the timer went off: all spent
        if (used > 0) cut.text += "tick " + std::to_string(used) + "\n";
    }
    std::ostringstream out;
    replay::Replay again(out);
    std::istringstream cutIn(cut.text);
    for (std::string line; std::getline(cutIn, line);) EXPECT_FALSE(again.runLine(line));
    again.finish();
    cut.caption = again.session().caption();
    cut.frame = again.session().drawnFrame();
    return cut;
}

void expectShowsTheCutAt(Viewer& v, const std::string& script, std::uint64_t n,
                         const std::string& name) {
    v.seek(n);
    ASSERT_EQ(v.point(), n) << name;
    const Cut cut = cutAt(script, n);
    EXPECT_EQ(v.caption(), cut.caption) << name << " at " << n;
    EXPECT_TRUE(v.frame() == cut.frame) << name << " at " << n << "\n" << cut.text;
}

std::string golden(const char* name) {
    std::ifstream in(std::string(BRONTIX_GOLDEN_DIR) + "/" + name + ".txt");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A seeded game of random events and ticks, pauses, New Games and Demo.
std::string generated(unsigned seed) {
    std::mt19937 rng(seed);
    std::string s = "# generated\nclock " + std::to_string(seed) + "\ndump\nmenu new\n";
    for (int i = 0; i < 60; ++i) {
        switch (rng() % 9) {
        case 0: s += "move " + std::to_string(rng() % 700) + " 12.5\n"; break;
        case 1: s += "click\n"; break;
        case 2: s += "key 112\n"; break;
        case 3: s += "menu new\n"; break;
        case 4: s += "menu demo\n"; break;
        default: s += "tick " + std::to_string(1 + rng() % 90) + "\n";
        }
    }
    return s;
}

TEST(Viewer, ShowsAtEveryPointWhatTheReplayOfTheScriptCutThereShows) {
    std::vector<std::pair<std::string, std::string>> scripts;
    for (const char* name : {"window", "page", "generated", "generated-won"})
        scripts.emplace_back(name, golden(name));
    for (unsigned seed : {1u, 2u, 3u})
        scripts.emplace_back("seed " + std::to_string(seed), generated(seed));
    std::mt19937 rng(11);
    for (const auto& [name, script] : scripts) {
        auto v = opened(script);
        ASSERT_GT(v->last(), 0u) << name;
        // Both ends, then points forward and back in random order: a seek
        // back starts the game again, one forward goes on from where it is.
        std::vector<std::uint64_t> points = {0, v->last(), 1, v->last() - 1};
        for (int i = 0; i < 12; ++i) points.push_back(rng() % (v->last() + 1));
        for (const Mark& m : v->marks()) points.push_back(m.point);
        for (std::uint64_t n : points) expectShowsTheCutAt(*v, script, n, name);
    }
}

// A long game is sought from the moments the viewer keeps: around each,
// forward and back, the picture and caption are still the cut's.
TEST(Viewer, SeeksFromTheMomentsItKeepsToTheSamePictures) {
    const std::string script =
        "clock 9\nmenu demo\nmenu new\nclick\ntick 9000\nmenu new\n"
        "click\ntick 5000\nkey 112\nkey 112\ntick 3000\n";
    auto v = opened(script);
    ASSERT_GE(v->savedMoments(), 3u);
    constexpr std::uint64_t k = Viewer::kPointsBetweenMoments;
    for (std::uint64_t n :
         {3 * k + 1, k, k - 1, 2 * k + 4000, k + 1, 3 * k, v->last(), 0ul, k + 3000, 2 * k + 7})
        expectShowsTheCutAt(*v, script, n, "long game");
}

TEST(Viewer, MarksTheMomentsThatMatterAndShowsTheBoxWhereItOpened) {
    const std::string script =
        "clock 7\nrandom 0.5\nmenu new\ntick 30\nkey 112\ntick 5\nkey 112\ntick 3\nclick\ntick "
        "900\n";
    auto v = opened(script);
    std::vector<std::pair<MarkKind, std::uint64_t>> kinds;
    std::uint64_t lostAt = 0;
    for (const Mark& m : v->marks()) {
        kinds.emplace_back(m.kind, m.point);
        if (m.kind == MarkKind::Lost) lostAt = m.point;
    }
    ASSERT_GE(kinds.size(), 4u);
    EXPECT_EQ(kinds[0], std::make_pair(MarkKind::NewGame, std::uint64_t{0}));
    EXPECT_EQ(kinds[1], std::make_pair(MarkKind::Pause, std::uint64_t{30}));
    EXPECT_EQ(kinds.back().first, MarkKind::Lost);
    EXPECT_EQ(kinds[kinds.size() - 2].first, MarkKind::BallLost);
    // The game ends with its last tick: the box is up at the last point
    // and at no other.
    EXPECT_EQ(lostAt, v->last());
    v->seek(lostAt);
    EXPECT_EQ(v->box(), std::optional<std::string>("You lose!"));
    v->step(-1);
    EXPECT_FALSE(v->box());
    v->step(+1);
    EXPECT_EQ(v->box(), std::optional<std::string>("You lose!"));
}

TEST(Viewer, PlaysAtEachSpeedStepsAndStopsAtTheEnds) {
    auto v = opened("clock 3\nmenu new\nmenu demo\nclick\ntick 2000\n");
    ASSERT_EQ(v->last(), 2000u);
    constexpr std::int64_t kSecond = 1'000'000'000;
    for (int speed = 0; speed < static_cast<int>(std::size(kSpeeds)); ++speed) {
        v->seek(100);
        v->setSpeed(speed, 0);
        v->play(0);
        const std::uint64_t at = 100 + static_cast<std::uint64_t>(128 * kSpeeds[speed]);
        EXPECT_EQ(v->advance(2 * kSecond).point, at);
        // The next wake-up is when the next point falls due, not before;
        // faster than the game, when a game's period of points has.
        const auto stride = std::max<std::uint64_t>(1, static_cast<std::uint64_t>(kSpeeds[speed]));
        const std::int64_t wake = v->nextWake().value();
        EXPECT_LT(v->advance(wake - 1).point, at + stride);
        EXPECT_EQ(v->advance(wake).point, at + stride);
    }
    v->setSpeed(5, 0);
    v->play(0);
    v->advance(60 * kSecond);
    EXPECT_EQ(v->point(), 2000u);
    EXPECT_FALSE(v->playing());
    v->step(-64);
    EXPECT_EQ(v->point(), 1936u);
    v->step(-5000);
    EXPECT_EQ(v->point(), 0u);
    v->step(1);
    EXPECT_EQ(v->point(), 1u);
    v->seek(99999);
    EXPECT_EQ(v->point(), 2000u);
    EXPECT_EQ(minutesSeconds(2000), "0:31");
    EXPECT_EQ(minutesSeconds(64 * 3599), "59:59");
    EXPECT_EQ(minutesSeconds(64 * 15827), "4:23:47");
}

// A recording whose checks all match is shown verified with its final
// score; one changed by hand is watched up to the check it fails, which
// says where and why; one without checks plays as it always did.
TEST(Viewer, VerifiesTheChecksAndStopsAtTheFirstThatFails) {
    const std::string before = "format 1\nclock 9\nmenu new\nmenu demo\nclick\ntick 500\n";
    std::ostringstream discard;
    replay::Replay probe(discard);
    std::istringstream lines(before);
    for (std::string line; std::getline(lines, line);) ASSERT_FALSE(probe.runLine(line));
    const std::string check = "check " + session::hashText(probe.session().stateHash()) + "\n";
    ASSERT_FALSE(probe.runLine("tick 100"));

    auto v = opened(before + check + "tick 100\n");
    EXPECT_EQ(v->verdict().kind, Verdict::Kind::Verified);
    EXPECT_EQ(v->verdict().checks, 1u);
    EXPECT_EQ(v->verdict().score, probe.session().score());
    EXPECT_EQ(v->last(), 600u);

    v = opened("format 1\nclock 10\nmenu new\nmenu demo\nclick\ntick 500\n" + check + "tick 100\n");
    EXPECT_EQ(v->verdict().kind, Verdict::Kind::OutOfSync);
    EXPECT_EQ(v->verdict().why.rfind(
                  "line 7: out of sync (recorded " + check.substr(6, 16) + ", replayed ", 0),
              0u)
        << v->verdict().why;
    EXPECT_EQ(v->last(), 500u);
    EXPECT_EQ(verdictText(v->verdict(), v->last()).rfind("Out of sync at 0:07 (line 7: ", 0), 0u);

    v = opened(before + "tick 100\n");
    EXPECT_EQ(v->verdict().kind, Verdict::Kind::Unchecked);
    EXPECT_EQ(v->last(), 600u);
}

// A script is read as it comes and never past the limit: a longer one
// (here an endless one) keeps its whole lines within it; a failed read
// says why.
TEST(ViewerScript, IsReadUpToTheLimitInWholeLines) {
    const std::string line = "tick 1\n";
    std::size_t given = 0;
    auto endless = [&](char* into, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) into[i] = line[(given + i) % line.size()];
        given += n;
        return static_cast<long>(n);
    };
    auto read = readScript(endless);
    const auto& cut = std::get<ScriptText>(read);
    EXPECT_TRUE(cut.cut);
    EXPECT_EQ(cut.text.size(), kMaxScriptBytes / line.size() * line.size());
    EXPECT_EQ(cut.text.substr(cut.text.size() - 14), "tick 1\ntick 1\n");
    EXPECT_LE(given, kMaxScriptBytes + (1 << 16));

    std::string_view small = "clock 1\ntick 5";
    read = readScript([&small](char* into, std::size_t n) {
        n = std::min(n, small.size());
        std::copy_n(small.data(), n, into);
        small.remove_prefix(n);
        return static_cast<long>(n);
    });
    EXPECT_EQ(std::get<ScriptText>(read).text, "clock 1\ntick 5");
    EXPECT_FALSE(std::get<ScriptText>(read).cut);

    read = readScript([](char*, std::size_t) {
        errno = EIO;
        return -1L;
    });
    EXPECT_EQ(std::get<int>(read), EIO);
}

// Opening never holds a front end: the survey runs a slice at a time, and
// what it has surveyed can be watched meanwhile, the same as once it is
// done.
TEST(ViewerSurvey, RunsInSlicesAndWhatItHasCoveredCanBeWatched) {
    const std::string script = "clock 4242\nmenu new\nmenu demo\nclick\ntick 20000\n";
    auto v = std::move(std::get<std::unique_ptr<Viewer>>(Viewer::open(script)));
    EXPECT_FALSE(v->survey());
    EXPECT_FALSE(v->surveyed());
    const std::uint64_t first = v->last();
    EXPECT_GT(first, 0u);
    EXPECT_LT(first, 20000u);
    v->seek(first);
    EXPECT_EQ(v->point(), first);
    const auto early = v->frame();
    v->surveyAll();
    EXPECT_EQ(v->stoppedShort(), "");
    auto whole = opened(script);
    EXPECT_EQ(v->last(), whole->last());
    whole->seek(first);
    EXPECT_TRUE(whole->frame() == early);
}

// A script past a bound of the viewer (here small ones) is watched up to
// where the survey met it, and says which; so is one the player stopped.
TEST(ViewerSurvey, StopsAtItsBoundsAndSaysWhich) {
    const std::string endless = "clock 1\ntick 100000000\n";
    auto at = [](const std::string& script, const Bounds& bounds) {
        auto v = std::move(std::get<std::unique_ptr<Viewer>>(Viewer::open(script, bounds)));
        v->surveyAll();
        return v;
    };
    auto v = at(endless, {.points = 10000});
    EXPECT_EQ(v->last(), 10000u);
    EXPECT_EQ(v->stoppedShort(),
              "Watched up to 2:36: the viewer stopped at the most play it surveys (2:36).");
    v->seek(99999);
    EXPECT_EQ(v->point(), 10000u);

    std::ostringstream discard;
    replay::Replay probe(discard);
    probe.finish();
    const std::uint64_t cost = probe.session().tickCost();  // the balls of start-up
    v = at(endless, {.work = 5000});
    EXPECT_EQ(v->last(), (5000 + cost - 1) / cost);
    EXPECT_EQ(v->stoppedShort(), "Watched up to " + minutesSeconds(v->last()) +
                                     ": the viewer stopped at the most work it does (5000 balls "
                                     "moved, summed over the ticks).");

    v = at(endless, {.momentBytes = 1});
    EXPECT_EQ(v->last(), Viewer::kPointsBetweenMoments);
    EXPECT_EQ(v->savedMoments(), 1u);

    v = at("clock 1\nmenu new\nmenu new\nmenu new\nmenu new\ntick 5\n", {.marks = 3});
    EXPECT_EQ(v->marks().size(), 3u);
    EXPECT_EQ(v->last(), 5u);

    v = std::move(std::get<std::unique_ptr<Viewer>>(Viewer::open(endless)));
    v->survey();
    v->stopSurvey();
    EXPECT_TRUE(v->surveyed());
    EXPECT_EQ(v->stoppedShort().rfind("Watched up to ", 0), 0u);
    EXPECT_NE(v->stoppedShort().find("the player's word"), std::string::npos);
    v->seek(99999999);
    EXPECT_EQ(v->point(), v->last());
}

TEST(Viewer, SaysTheEffectsInForceWhenTheyChange) {
    EXPECT_EQ(inForceText({true, false, 73, {6, 10, 14}}),
              "Sticky paddle: on. Cannons: off. Paddle: 73 pixels wide. Balls: 6, 10 and 14 "
              "pixels.");
    EXPECT_EQ(inForceText({false, true, 105.5f, {}}),
              "Sticky paddle: off. Cannons: on. Paddle: 105.5 pixels wide. Balls: none in play.");
    auto opened = Viewer::open("clock 4242\nmenu new\nclick\ntick 3\n");
    Viewer& v = *std::get<std::unique_ptr<Viewer>>(opened);
    v.surveyAll();
    const Answer first = v.whole();
    ASSERT_TRUE(first.inForce);
    EXPECT_EQ(*first.inForce,
              "Sticky paddle: off. Cannons: off. Paddle: 73 pixels wide. Balls: 14 pixels.");
    // Nothing changed: nothing said again.
    EXPECT_FALSE(v.step(2).inForce);
}

TEST(Viewer, RefusesABrokenScriptWithTheDriversLineAndReason) {
    for (const std::string script : {"clock 1\n\nfly\n", "tick 0\n", "move 1\n"}) {
        std::istringstream in(script);
        std::ostringstream out, err;
        ASSERT_EQ(replay::runScript(in, out, err), 2) << script;
        auto v = Viewer::open(script);
        ASSERT_TRUE(std::holds_alternative<std::string>(v)) << script;
        EXPECT_EQ("brontix-replay: " + std::get<std::string>(v) + "\n", err.str());
    }
    EXPECT_EQ(std::get<std::string>(Viewer::open(std::string(1'048'577, 'x'))),
              "line 1: line too long");
}

}  // namespace
}  // namespace brontix::viewer
