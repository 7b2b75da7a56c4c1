// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// What a desktop says of a race: its wall, then the end of the race's own
// game only, with the play time since its New Game.
#include <gtest/gtest.h>

#include <sstream>

#include "viewer/race.h"
#include "viewer/viewer.h"

namespace brontix::viewer {
namespace {

using Kind = session::Event::Kind;

TEST(RaceReport, SaysTheWallThenTheEndOfTheRacesGameOnce) {
    RaceReport race(18446744073709551615u, 1000);
    EXPECT_EQ(race.started(), "race on wall 18446744073709551615");
    EXPECT_EQ(race.ended({Kind::BallLost, "", 2000}, 50), std::nullopt);
    EXPECT_EQ(race.ended({Kind::NewGame, "", 2100}, 50), std::nullopt);
    EXPECT_EQ(race.ended({Kind::Won, "You win!", 1000 + 64 * 3727}, 1520),
              "race on wall 18446744073709551615: You win!, score 1520, play time 1:02:07");
    EXPECT_EQ(race.ended({Kind::Lost, "You lose!", 300000}, 10), std::nullopt);
}

std::optional<std::uint64_t> wallOf(const std::string& text) {
    std::vector<script::Command> commands;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        commands.push_back(script::parseLine(line).command);
    return racedWall(commands);
}

// A race's recording names its wall at once; a New Game chosen later, or
// none, is no race; the viewer says the wall before its verdict.
TEST(RacedWall, IsTheClockNewGameReadFirstThing) {
    EXPECT_EQ(wallOf("format 1\nclock 5\nclock 18446744073709551615\nmenu new\ntick 9\n"),
              18446744073709551615u);
    EXPECT_EQ(wallOf("clock 3\nclock 7\nmenu new\nclock 8\nmenu new\n"), 7u);
    EXPECT_EQ(wallOf("format 1\nclock 7\nmenu new\n"), std::nullopt);
    EXPECT_EQ(wallOf("format 1\nclock 5\ntick 1\nclock 9\nmenu new\n"), std::nullopt);
    EXPECT_EQ(wallOf("format 1\nclock 5\nmenu demo\nclock 9\nmenu new\n"), std::nullopt);
    EXPECT_EQ(wallOf("menu new\n"), std::nullopt);
    EXPECT_EQ(wallOf("format 1\nclock 5\n"), std::nullopt);

    auto race = Viewer::open("format 1\nclock 5\nclock 9\nmenu new\ntick 10\n");
    EXPECT_EQ(std::get<std::unique_ptr<Viewer>>(race)->verdictSaid(),
              "A race on wall 9. Not verified: this recording has no checks.");
    auto plain = Viewer::open("format 1\nclock 5\ntick 1\nclock 9\nmenu new\n");
    EXPECT_EQ(std::get<std::unique_ptr<Viewer>>(plain)->verdictSaid(),
              "Not verified: this recording has no checks.");
}

}  // namespace
}  // namespace brontix::viewer
