// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// What a desktop says of a race: its wall, then the end of the race's own
// game only, with the play time since its New Game.
#include <gtest/gtest.h>

#include "viewer/race.h"

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

}  // namespace
}  // namespace brontix::viewer
