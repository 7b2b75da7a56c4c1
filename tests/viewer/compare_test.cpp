// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Two games of one wall in step: each point shows the first game's own
// picture with the second's paddle and balls outlined where its dump puts
// them; games of two walls are refused.
#include <gtest/gtest.h>

#include <sstream>

#include "replay/replay.h"
#include "viewer/compare.h"

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

TEST(Comparison, ShowsTheFirstGameWithTheSecondsGhostInStep) {
    auto opened = Comparison::open(kFirst, kSecond);
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<Comparison>>(opened))
        << std::get<std::string>(opened);
    Comparison& c = *std::get<std::unique_ptr<Comparison>>(opened);
    EXPECT_EQ(c.wall(), 77u);
    EXPECT_EQ(c.from(0), 10u);
    EXPECT_EQ(c.from(1), 0u);
    EXPECT_EQ(c.last(), 252u);  // the longer game's

    for (const std::uint64_t t : {0u, 40u, 150u, 151u, 252u}) {
        SCOPED_TRACE(t);
        c.seek(t);
        const render::PixelBuffer shown = c.frame();
        const auto first = Viewer::open(cut(kFirst, 10 + t));
        auto& alone = *std::get<std::unique_ptr<Viewer>>(first);
        alone.surveyAll();
        alone.seek(alone.last());
        const render::PixelBuffer& own = alone.frame();
        // The first game's picture is its own, as a single recording shows it.
        EXPECT_EQ(c.game(0).point(), 10 + t);
        const auto ghost = dumped(cut(kSecond, std::min<std::uint64_t>(t, 150)));
        ASSERT_FALSE(ghost.empty());
        EXPECT_EQ(c.game(1).paddleAndBalls(), ghost);
        EXPECT_EQ(c.ended(1), t > 150);
        EXPECT_FALSE(c.ended(0));
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
}

TEST(Comparison, RefusesTwoWallsAndAGameWithoutNewGame) {
    auto two = Comparison::open(kFirst, "format 1\nclock 2\nclock 78\nmenu new\ntick 5\n");
    EXPECT_EQ(std::get<std::string>(two),
              "these recordings are not on the same wall: the first is on wall 77, the second "
              "on wall 78");
    auto none = Comparison::open(kFirst, "format 1\nclock 2\ntick 5\n");
    EXPECT_EQ(std::get<std::string>(none),
              "the second recording has no New Game: there is no wall to compare");
    auto broken = Comparison::open("tick x\n", kSecond);
    EXPECT_EQ(std::get<std::string>(broken).rfind("the first recording: line 1: ", 0), 0u);
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
