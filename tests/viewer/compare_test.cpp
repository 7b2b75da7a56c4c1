// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Two games of one wall in step: each point shows the first game's own
// picture with the second's paddle and balls outlined where its dump puts
// them; games of two walls are refused.
#include <gtest/gtest.h>

#include <sstream>

#include "replay/replay.h"
#include "viewer/compare.h"
#include "viewer/viewer.h"

namespace brontix::viewer {
namespace {

// The first game: start-up runs 10 ticks before its New Game, which is
// lost 252 ticks after it.
const std::string kFirst =
    "format 1\nclock 1\ntick 10\nclock 77\nmenu new\nmove 300 400\nclick\ntick 200\n"
    "move 100 400\ntick 300\n";
// The second: a race on the same wall, shorter.
const std::string kSecond =
    "format 1\nclock 2\nclock 77\nmenu new\nmove 420 400\nclick\ntick 150\n";

// The script cut after `ticks` ticks of it.
std::string cut(const std::string& script, std::uint64_t ticks) {
    std::istringstream lines(script);
    std::string out;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("tick ", 0) == 0) {
            const std::uint64_t n = std::stoull(line.substr(5));
            if (n >= ticks) return ticks ? out + "tick " + std::to_string(ticks) + "\n" : out;
            ticks -= n;
        }
        out += line + "\n";
    }
    return out;
}

// What the replay driver's dump says of a script's paddle and balls.
std::vector<session::Figure> dumped(const std::string& script) {
    std::ostringstream dump;
    replay::Replay r(dump);
    std::istringstream lines(script + "dump\n");
    for (std::string line; std::getline(lines, line);) EXPECT_FALSE(r.runLine(line)) << line;
    const std::string text = dump.str();
    // The paddle's object, then the balls' array: each shape shown, with
    // its left, top, width and height in that order.
    const std::size_t paddle = text.find("\"paddle\":"), balls = text.find("\"balls\":[");
    const std::size_t ballsEnd = text.find("}]", balls);
    std::vector<session::Figure> figures;
    const auto read = [&](std::size_t from, std::size_t to, bool round) {
        const std::string shown = "{\"visible\":true,";
        for (std::size_t at = text.find(shown, from); at < to; at = text.find(shown, at + 1)) {
            float v[4];
            std::size_t key = at;
            for (float& value : v) {
                key = text.find("\":", text.find(",\"", key) + 2) + 2;
                value = std::stof(text.substr(key, 24));
            }
            figures.push_back({v[0], v[1], v[2], v[3], round});
        }
    };
    read(paddle, balls, false);
    read(balls, ballsEnd, true);
    return figures;
}

std::unique_ptr<Viewer> opened(const std::string& script) {
    auto v = Viewer::open(script);
    return std::move(std::get<std::unique_ptr<Viewer>>(v));
}

// A comparison, surveyed.
std::unique_ptr<Viewer> compared(const std::string& first, const std::string& second) {
    auto v = opened(first);
    EXPECT_EQ(v->compareWith(opened(second)), std::nullopt);
    EXPECT_FALSE(v->surveyed());
    v->surveyAll();
    return v;
}

// What a front end shows after applying each answer's rectangles.
void apply(render::PixelBuffer& screen, const Answer& a) {
    if (screen.width() != a.frame->width()) screen = *a.frame;
    for (const render::Rect& r : a.drawn)
        for (int y = r.y; y < r.bottom(); ++y)
            std::copy_n(a.frame->row(y) + r.x, r.w, screen.row(y) + r.x);
}

TEST(Comparison, ShowsTheFirstGameWithTheSecondsGhostInStep) {
    auto v = compared(kFirst, kSecond);
    // The first's timeline, as long as the longer game; the ghost joins at
    // the first's New Game, at point 10, and its marks are placed so.
    EXPECT_EQ(v->last(), 262u);
    ASSERT_EQ(v->ghostMarks().size(), 1u);
    EXPECT_EQ(v->ghostMarks().front().point, 10u);
    EXPECT_EQ(v->ghostMarks().front().what, "ghost: New Game");

    // Stepped through, as a player would: what the answers drew is the
    // whole picture, the ghost's old outlines gone.
    render::PixelBuffer screen(1, 1);
    apply(screen, v->whole());
    EXPECT_EQ(v->comparedSaid(),
              "The ghost, the second game, joins at this game's New Game (0:00).");
    while (v->point() < v->last()) {
        apply(screen, v->step(3));
        ASSERT_TRUE(screen == v->frame()) << v->point();
    }
    for (const std::uint64_t t : {0u, 40u, 150u, 151u, 252u}) {
        SCOPED_TRACE(t);
        v->seek(10 + t);
        const render::PixelBuffer shown = v->frame();
        const auto first = Viewer::open(cut(kFirst, 10 + t));
        auto& alone = *std::get<std::unique_ptr<Viewer>>(first);
        alone.surveyAll();
        alone.seek(alone.last());
        const render::PixelBuffer& own = alone.frame();
        const auto ghost = dumped(cut(kSecond, std::min<std::uint64_t>(t, 150)));
        ASSERT_FALSE(ghost.empty());
        EXPECT_EQ(v->ghost()->paddleAndBalls(), ghost);
        EXPECT_EQ(v->ghost()->point(), std::min<std::uint64_t>(t, 150));
        // Every pixel that differs is the ghost's, on the outline of one of
        // its figures; and every figure shows.
        std::vector<int> outlined(ghost.size());
        for (int y = 0; y < own.height(); ++y) {
            for (int x = 0; x < own.width(); ++x) {
                if (shown.pixel(x, y) == own.pixel(x, y)) continue;
                ASSERT_TRUE(shown.pixel(x, y) == kGhostOuter || shown.pixel(x, y) == kGhostInner);
                bool near = false;
                for (std::size_t i = 0; i < ghost.size(); ++i) {
                    const session::Figure& f = ghost[i];
                    if (x >= f.left - 2 && x <= f.left + f.width + 1 && y >= f.top - 2 &&
                        y <= f.top + f.height + 1) {
                        near = true;
                        ++outlined[i];
                    }
                }
                ASSERT_TRUE(near) << x << "," << y;
            }
        }
        for (std::size_t i = 0; i < ghost.size(); ++i) EXPECT_GT(outlined[i], 0) << i;
    }
    EXPECT_EQ(v->comparedSaid(), "This game: score " + std::to_string(v->score()) +
                                     ". The ghost: " + v->ghost()->caption() + ", score " +
                                     std::to_string(v->ghost()->score()) + ", ended at 0:02.");
}

// The second game is the longer: the timeline goes on past the first's
// end, which stands still.
TEST(Comparison, TheFirstGameStandsStillOnceItHasEnded) {
    auto v = compared(kSecond, kFirst);
    EXPECT_EQ(v->last(), 252u);
    const Answer a = v->seek(200);
    EXPECT_EQ(a.point, 200u);
    EXPECT_EQ(v->ghost()->point(), 210u);
    EXPECT_EQ(*a.compared, "This game: score " + std::to_string(v->score()) +
                               ", ended at 0:02. The ghost: " + v->ghost()->caption() + ", score " +
                               std::to_string(v->ghost()->score()) + ".");
    // Played to the end of the longer game.
    v->play(0);
    const Answer end = v->advance(std::int64_t{10} * 1'000'000'000);
    EXPECT_EQ(end.point, 252u);
    EXPECT_FALSE(end.playing);
    EXPECT_EQ(v->ghost()->point(), 262u);
}

TEST(Comparison, RefusesTwoWallsAndAGameWithoutNewGame) {
    auto v = opened(kFirst);
    EXPECT_EQ(v->compareWith(opened("format 1\nclock 2\nclock 78\nmenu new\ntick 5\n")),
              "these recordings are not on the same wall: the first is on wall 77, the second "
              "on wall 78");
    EXPECT_EQ(v->compareWith(opened("format 1\nclock 2\ntick 5\n")),
              "the second recording has no New Game: there is no wall to compare");
    EXPECT_EQ(v->ghost(), nullptr);
    v->surveyAll();
    EXPECT_TRUE(v->surveyed());
}

// A paddle's outline at scale 1: black on its own edge, white around it.
TEST(Ghost, OutlinesAPaddleOnItsEdgeAndAroundIt) {
    render::PixelBuffer frame(8, 6, 0xFF808080u);
    drawGhost(frame, render::Scale(1, 1), {{2, 1, 4, 3, false}});
    std::string drawn;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            const std::uint32_t p = frame.pixel(x, y);
            drawn += p == kGhostOuter ? 'W' : p == kGhostInner ? 'B' : '.';
        }
        drawn += '\n';
    }
    EXPECT_EQ(drawn,
              "..WWWW..\n"
              ".WBBBBW.\n"
              ".WB..BW.\n"
              ".WBBBBW.\n"
              "..WWWW..\n"
              "........\n");
}

}  // namespace
}  // namespace brontix::viewer
