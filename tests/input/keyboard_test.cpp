// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "input/input.h"
#include "support/fixture.h"

namespace brontix::input {
namespace {

using testing::Game;

class Pause : public ::testing::Test {
protected:
    Pause() { g.newGameWithOneBrick(); }
    void key(int code) { Form_KeyPress(g.form(), code); }
    std::string caption() { return g.caption(); }
    Game g;
};

TEST_F(Pause, PStopsTheTimerAndPAgainResumesWithTheShortCaption) {
    g.state().score = 120;
    key(112);
    EXPECT_FALSE(g.form().Timer1.Enabled);
    EXPECT_EQ(caption(), "Brontix [Paused]");
    key(112);
    EXPECT_TRUE(g.form().Timer1.Enabled);
    EXPECT_EQ(caption(), "Brontix | 120");
}

TEST_F(Pause, EveryOtherKeyIsIgnored) {
    for (const int code : {80, 32, 0, 113, 111, 65535, 112 + 65536 / 2}) {
        key(code);
        EXPECT_TRUE(g.form().Timer1.Enabled) << code;
        EXPECT_EQ(caption(), "Brontix") << code;
    }
}

TEST_F(Pause, NegativeScoreOnResume) {
    g.state().score = -5;
    key(112);
    key(112);
    EXPECT_EQ(caption(), "Brontix | -5");
}

TEST_F(Pause, PAfterALostGameShowsTheMessageAgainOnTheNextTick) {
    g.form().Ball[0].Visible = false;
    g.tick();
    ASSERT_EQ(g.messages().size(), 1u);
    key(112);
    EXPECT_TRUE(g.form().Timer1.Enabled);
    EXPECT_EQ(caption(), "Brontix | 0");
    g.tick();
    EXPECT_EQ(g.messages(), (std::vector<std::string>{"You lose!", "You lose!"}));
    EXPECT_FALSE(g.form().Timer1.Enabled);
}

TEST_F(Pause, NewGameWhilePausedRunsWithThePauseCaption) {
    key(112);
    g.newGame();
    EXPECT_TRUE(g.form().Timer1.Enabled);
    EXPECT_EQ(caption(), "Brontix [Paused]");
}

TEST_F(Pause, WhilePausedNothingMoves) {
    Form_Click(g.form());
    g.tick(3);
    const float y = g.state().ballPos[0].y;
    key(112);
    g.tick(50);
    Form_MouseMove(g.form(), 0, 0, 10, 10);
    EXPECT_EQ(g.state().ballPos[0].y, y);
    EXPECT_EQ(g.form().Paddle.Left, 272);
}

}  // namespace
}  // namespace brontix::input
